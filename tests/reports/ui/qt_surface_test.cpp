#include "reports/ui/image_surface.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr SurfaceColor kRed = 0xFF0000;
constexpr SurfaceColor kBlue = 0x0000FF;

SurfaceColor At(const ImageSurface& surface, int x, int y)
{
    return static_cast<SurfaceColor>(surface.Image().pixel(x, y) & 0xFFFFFFu);
}

// The picture as rows of characters: "." white, "#" black, "r" red, "b"
// blue, "?" anything else. A failing comparison shows the whole picture.
std::vector<std::string> Picture(const ImageSurface& surface)
{
    std::vector<std::string> rows;
    for (int y = 0; y < surface.PageHeight(); ++y) {
        std::string row;
        for (int x = 0; x < surface.PageWidth(); ++x) {
            switch (At(surface, x, y)) {
            case kWhite:
                row += '.';
                break;
            case kBlack:
                row += '#';
                break;
            case kRed:
                row += 'r';
                break;
            case kBlue:
                row += 'b';
                break;
            default:
                row += '?';
            }
        }
        rows.push_back(row);
    }
    return rows;
}

// Every pixel of the surface that is not white, as a bounding box; an empty
// box when there is none.
QRect InkBox(const ImageSurface& surface)
{
    QRect box;
    for (int y = 0; y < surface.PageHeight(); ++y)
        for (int x = 0; x < surface.PageWidth(); ++x)
            if (At(surface, x, y) != kWhite)
                box |= QRect(x, y, 1, 1);
    return box;
}

TEST(QtSurface, ImageSurfaceIsAWhitePageOfTheGivenSizeAndResolution)
{
    const ImageSurface surface(120, 50, 300);
    EXPECT_EQ(surface.PageWidth(), 120);
    EXPECT_EQ(surface.PageHeight(), 50);
    EXPECT_EQ(surface.PixelsPerInch(), 300);
    EXPECT_TRUE(InkBox(surface).isEmpty());
}

TEST(QtSurface, RectanglesCoverExactlyTheirPixels)
{
    struct Row
    {
        SurfaceColor pen;
        int penWidth;
        SurfaceColor brush;
        int left, top, right, bottom;
        std::vector<std::string> picture;
    };
    const Row rows[] = {
        /* 0*/ {kBlack, 1, kBlack, 1, 1, 4, 3, {"......", ".###..", ".###..", "......"}},
        // a bar one pixel wide stays one pixel wide
        /* 1*/ {kBlack, 1, kBlack, 2, 0, 3, 4, {"..#...", "..#...", "..#...", "..#..."}},
        /* 2*/ {kRed, 1, kBlue, 0, 0, 5, 4, {"rrrrr.", "rbbbr.", "rbbbr.", "rrrrr."}},
        /* 3*/ {kRed, 2, kBlue, 0, 0, 6, 4, {"rrrrrr", "rrrrrr", "rrrrrr", "rrrrrr"}},
        /* 4*/ {kBlack, 0, kBlue, 1, 1, 3, 3, {"......", ".bb...", ".bb...", "......"}},
        // corners given the other way round describe the same rectangle
        /* 5*/ {kBlack, 1, kBlack, 4, 3, 1, 1, {"......", ".###..", ".###..", "......"}},
        // no width or no height: nothing
        /* 6*/ {kBlack, 1, kBlack, 2, 1, 2, 3, {"......", "......", "......", "......"}},
    };
    int n = 0;
    for (const Row& row : rows) {
        ImageSurface surface(6, 4, 96);
        surface.SetPen(row.pen, row.penWidth);
        surface.SetBrushColor(row.brush);
        surface.Rectangle(row.left, row.top, row.right, row.bottom);
        EXPECT_EQ(Picture(surface), row.picture) << "row " << n;
        ++n;
    }
}

TEST(QtSurface, BarsSideBySideNeitherOverlapNorLeaveGaps)
{
    // What a bar code does: black and white elements of 1..4 pixels, each
    // starting where the previous one ended, the white ones clearing what
    // lay under them.
    ImageSurface surface(12, 2, 96);
    surface.SetPen(kBlack, 1);
    surface.SetBrushColor(kBlack);
    surface.Rectangle(0, 0, 12, 2);
    const int widths[] = {1, 2, 3, 4, 1};
    int x = 1;
    bool black = true;
    for (const int width : widths) {
        const SurfaceColor color = black ? kBlack : kWhite;
        surface.SetPen(color, 1);
        surface.SetBrushColor(color);
        surface.Rectangle(x, 0, x + width, 2);
        x += width;
        black = !black;
    }
    EXPECT_EQ(Picture(surface), (std::vector<std::string>{"##..###....#", "##..###....#"}));
}

TEST(QtSurface, LinesLeaveOutTheirEndPointWhicheverWayTheyRun)
{
    // A frame drawn clockwise: each corner once, the last line stopping
    // just before the first point.
    ImageSurface surface(8, 7, 96);
    surface.SetPen(kBlack, 1);
    surface.MoveTo({1, 1});
    surface.LineTo({6, 1});
    surface.LineTo({6, 4});
    surface.LineTo({1, 4});
    surface.LineTo({1, 1});
    surface.SetPen(kRed, 1);
    surface.Polyline({{7, 6}, {3, 6}, {3, 5}});
    surface.MoveTo({3, 2});
    surface.LineTo({4, 3});
    EXPECT_EQ(Picture(surface), (std::vector<std::string>{
                                    "........",
                                    ".######.",
                                    ".#.r..#.",
                                    ".#....#.",
                                    ".######.",
                                    "........",
                                    "...rrrrr",
                                }));
}

TEST(QtSurface, ThickLinesHaveThePenWidth)
{
    ImageSurface surface(8, 5, 96);
    surface.SetPen(kBlue, 3);
    surface.MoveTo({1, 2});
    surface.LineTo({7, 2});
    EXPECT_EQ(InkBox(surface), QRect(1, 1, 6, 3));
    EXPECT_EQ(surface.PenWidth(), 3);
    EXPECT_EQ(surface.PenColor(), kBlue);
}

TEST(QtSurface, TextIsWrittenBelowAndRightOfItsCellCorner)
{
    ImageSurface surface(200, 60, 96);
    surface.SetFont({QStringLiteral("DejaVu Sans"), 238, -20, false});
    surface.TextOut({30, 15}, QStringLiteral("Czytelnia łódź"));
    const QRect ink = InkBox(surface);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), 30);
    EXPECT_GE(ink.top(), 15);
    EXPECT_LE(ink.bottom(), 15 + 30);
    EXPECT_LE(ink.right(), 30 + surface.TextWidth(QStringLiteral("Czytelnia łódź")));
    // The character set is kept for whoever asks, even though Qt does not use it.
    EXPECT_EQ(surface.Font().charset, 238);
}

TEST(QtSurface, TextWidthFollowsTextHeightAndWeight)
{
    ImageSurface surface(10, 10, 96);
    const QString text = QStringLiteral("Czytelnia");
    surface.SetFont({QStringLiteral("DejaVu Sans"), 1, -12, false});
    const int small = surface.TextWidth(text);
    EXPECT_GT(small, 0);
    EXPECT_EQ(surface.TextWidth(QString()), 0);
    EXPECT_LT(surface.TextWidth(QStringLiteral("Czytel")), small);

    surface.SetFont({QStringLiteral("DejaVu Sans"), 1, -24, false});
    const int large = surface.TextWidth(text);
    EXPECT_GT(large, small * 3 / 2);

    surface.SetFont({QStringLiteral("DejaVu Sans"), 1, -24, true});
    EXPECT_GT(surface.TextWidth(text), large);

    // A positive height is the whole cell, so the letters come out smaller
    // than with the same number given as the characters' height.
    surface.SetFont({QStringLiteral("DejaVu Sans"), 1, 24, false});
    EXPECT_LT(surface.TextWidth(text), large);
}

TEST(QtSurface, StretchDrawScalesThePictureIntoTheRectangle)
{
    QTemporaryDir dir;
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.setPixel(0, 0, 0xFF000000u | kRed);
    picture.setPixel(1, 0, 0xFF000000u | kBlue);
    picture.setPixel(0, 1, 0xFF000000u | kBlack);
    picture.setPixel(1, 1, 0xFF000000u | kRed);
    const QString png = dir.filePath(QStringLiteral("p.png"));
    const QString bmp = dir.filePath(QStringLiteral("p.bmp"));
    ASSERT_TRUE(picture.save(png));
    ASSERT_TRUE(picture.save(bmp));

    for (const QString& file : {png, bmp}) {
        ImageSurface surface(12, 10, 96);
        EXPECT_TRUE(surface.StretchDraw(2, 1, 10, 9, file));
        EXPECT_EQ(InkBox(surface), QRect(2, 1, 8, 8));
        EXPECT_EQ(At(surface, 3, 2), kRed);
        EXPECT_EQ(At(surface, 8, 2), kBlue);
        EXPECT_EQ(At(surface, 3, 7), kBlack);
        EXPECT_EQ(At(surface, 8, 7), kRed);
    }
}

TEST(QtSurface, StretchDrawOfAnUnreadableFileFailsAndDrawsNothing)
{
    QTemporaryDir dir;
    const QString notPicture = dir.filePath(QStringLiteral("text.png"));
    QFile file(notPicture);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();

    const QString files[] = {
        /* 0*/ dir.filePath(QStringLiteral("missing.png")),
        /* 1*/ notPicture,
        /* 2*/ dir.path(),
    };
    int n = 0;
    for (const QString& name : files) {
        ImageSurface surface(10, 10, 96);
        EXPECT_FALSE(surface.StretchDraw(0, 0, 10, 10, name)) << "row " << n;
        EXPECT_TRUE(InkBox(surface).isEmpty()) << "row " << n;
        ++n;
    }
}

TEST(QtSurface, SavedPictureReadsBackTheSame)
{
    QTemporaryDir dir;
    ImageSurface surface(16, 8, 150);
    surface.SetPen(kRed, 1);
    surface.SetBrushColor(kBlue);
    surface.Rectangle(2, 2, 9, 7);
    for (const char* suffix : {"a.png", "a.bmp"}) {
        const QString name = dir.filePath(QString::fromLatin1(suffix));
        ASSERT_TRUE(surface.Save(name));
        const QImage back(name);
        ASSERT_FALSE(back.isNull());
        EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), surface.Image()) << suffix;
    }
    EXPECT_FALSE(surface.Save(dir.filePath(QStringLiteral("no/such/folder/a.png"))));
}

} // namespace
