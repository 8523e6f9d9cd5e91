#include "reports/recording_surface.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(RecordingSurface, KeepsEveryCallWithThePenBrushAndFontOfItsTime)
{
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("logo.png"));
    QFile file(picture);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("x");
    file.close();

    RecordingSurface surface;
    surface.MoveTo({1, 2});
    surface.LineTo({30, 2});
    surface.SetPen(0xFF0000, 3);
    surface.LineTo({30, 40});
    surface.Polyline({{0, 0}, {5, 5}, {9, 0}});
    surface.SetBrushColor(0x00AA00);
    surface.Rectangle(10, 20, 110, 60);
    surface.SetFont({QStringLiteral("Courier New"), 238, -12, true});
    surface.TextOut({5, 6}, QStringLiteral("Zażółć \"gęślą\"\n"));
    EXPECT_TRUE(surface.StretchDraw(0, 0, 50, 25, picture));
    EXPECT_FALSE(surface.StretchDraw(0, 0, 50, 25, dir.filePath(QStringLiteral("none.png"))));

    EXPECT_EQ(surface.Lines(),
              (QStringList{
                  /* 0*/ QStringLiteral("line 1,2 30,2 pen=000000/1"),
                  /* 1*/ QStringLiteral("line 30,2 30,40 pen=FF0000/3"),
                  /* 2*/ QStringLiteral("polyline 0,0 5,5 9,0 pen=FF0000/3"),
                  /* 3*/ QStringLiteral("rect 10,20 110,60 pen=FF0000/3 brush=00AA00"),
                  /* 4*/
                  QStringLiteral(
                      "text 5,6 font=\"Courier New\"/238/-12/bold \"Zażółć \\\"gęślą\\\"\\n\""),
                  /* 5*/ QStringLiteral("picture 0,0 50,25 \"") + picture + QLatin1Char('"'),
              }));
    EXPECT_EQ(surface.Records().at(4).text, QStringLiteral("Zażółć \"gęślą\"\n"));

    surface.Clear();
    EXPECT_TRUE(surface.Records().isEmpty());
    EXPECT_EQ(surface.Font().face, QStringLiteral("Courier New"));
}

TEST(RecordingSurface, TextWidthIsHalfTheFontHeightPerCharacter)
{
    struct Row
    {
        int height;
        const char* text;
        int width;
    };
    const Row rows[] = {
        /* 0*/ {-12, "abc", 18},
        /* 1*/ {12, "abc", 18},
        /* 2*/ {-13, "abcd", 24},
        /* 3*/ {0, "ab", 16},
        /* 4*/ {-1, "abc", 3},
        /* 5*/ {-20, "", 0},
        /* 6*/ {-10, "łódź", 20},
    };
    RecordingSurface surface;
    int n = 0;
    for (const Row& row : rows) {
        surface.SetFont({QStringLiteral("Arial"), 1, row.height, false});
        EXPECT_EQ(surface.TextWidth(QString::fromUtf8(row.text)), row.width) << "row " << n;
        ++n;
    }
    EXPECT_TRUE(surface.Records().isEmpty());
}

TEST(RecordingSurface, PageGeometryIsConfigurable)
{
    RecordingSurface a4;
    EXPECT_EQ(a4.PixelsPerInch(), 96);
    EXPECT_EQ(a4.PageWidth(), 794);
    EXPECT_EQ(a4.PageHeight(), 1123);

    RecordingSurface printer(600, 4960, 7016);
    printer.SetPageSize(7016, 4960);
    printer.SetPixelsPerInch(300);
    EXPECT_EQ(printer.PixelsPerInch(), 300);
    EXPECT_EQ(printer.PageWidth(), 7016);
    EXPECT_EQ(printer.PageHeight(), 4960);
}

} // namespace
