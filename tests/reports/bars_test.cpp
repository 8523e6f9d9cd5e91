#include "reports/bars.h"
#include "reports/bars_encoders.h"
#include "reports/recording_surface.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QList>

#include <optional>
#include <vector>

namespace {

struct PatternCase
{
    int line = 0;
    int typ = 0;
    QByteArray data;
    QByteArray pattern;
    QByteArray source;
};

// "\xHH" stands for one byte; everything else is itself.
QByteArray Unescape(const QByteArray& text)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x') {
            bytes.append(static_cast<char>(text.mid(i + 2, 2).toInt(nullptr, 16)));
            i += 3;
        } else {
            bytes.append(text[i]);
        }
    }
    return bytes;
}

std::vector<PatternCase> ExpectedPatterns()
{
    QFile file(QStringLiteral(ZELVORAN_TEST_DATA "/reports/bars_patterns.txt"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    std::vector<PatternCase> cases;
    int line = 0;
    while (!file.atEnd()) {
        ++line;
        QByteArray text = file.readLine();
        if (text.endsWith('\n'))
            text.chop(1);
        if (text.isEmpty() || text.startsWith('#'))
            continue;
        const QList<QByteArray> fields = text.split('\t');
        EXPECT_EQ(fields.size(), 4) << "line " << line;
        if (fields.size() != 4)
            continue;
        cases.push_back({line, fields[0].toInt(), Unescape(fields[1]), fields[2], fields[3]});
    }
    return cases;
}

QByteArray PatternOf(TBarcodeType typ, const QByteArray& data)
{
    TBarcode barcode;
    barcode.Typ = typ;
    barcode.Text = data;
    return barcode.Pattern();
}

std::optional<QString> ErrorOf(TBarcodeType typ, const QByteArray& data)
{
    try {
        PatternOf(typ, data);
    } catch (const TBarcodeError& error) {
        return error.Text();
    }
    return std::nullopt;
}

TEST(Bars, PatternsMatchTheExpectedFile)
{
    const std::vector<PatternCase> cases = ExpectedPatterns();
    EXPECT_GE(cases.size(), 20u);
    bool seen[15] = {};
    for (const PatternCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "bars_patterns.txt line " << c.line << " (" << c.source.constData() << ")");
        ASSERT_TRUE(c.typ >= 0 && c.typ < 15);
        seen[c.typ] = true;
        EXPECT_EQ(PatternOf(static_cast<TBarcodeType>(c.typ), c.data).toStdString(),
                  c.pattern.toStdString());
    }
    for (int typ = 0; typ < 15; ++typ)
        EXPECT_TRUE(seen[typ]) << "no expected pattern for symbology " << typ;
}

TEST(Bars, DefaultIsEan13OfNinetyFiveModules)
{
    TBarcode barcode;
    EXPECT_EQ(barcode.Typ, bcCodeEAN13);
    for (const char* digits : {"0000000000000", "9999999999999", "5901234123457"}) {
        barcode.Text = digits;
        EXPECT_EQ(barcode.Width(), 95) << digits;
    }
}

struct ErrorCase
{
    TBarcodeType typ;
    const char* data;
    const char* error;
};

class BarsErrorTest : public testing::TestWithParam<ErrorCase>
{};

TEST_P(BarsErrorTest, RaisesItsText)
{
    const ErrorCase& c = GetParam();
    const std::optional<QString> error = ErrorOf(c.typ, QByteArray(c.data));
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(*error, QString::fromUtf8(c.error));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BarsErrorTest,
    testing::Values(
        /* 0*/ ErrorCase{bcCodeEAN13, "123", "Invalid Text len (EAN13)"},
        /* 1*/ ErrorCase{bcCodeEAN13, "59012341234570", "Invalid Text len (EAN13)"},
        /* 2*/ ErrorCase{bcCodeEAN13, "", "Invalid Text len (EAN13)"},
        /* 3*/ ErrorCase{bcCodeEAN8, "9638507", "Invalid Text len (EAN8)"},
        // Trimming comes first: padded to 8 characters it still has 7 digits.
        /* 4*/ ErrorCase{bcCodeEAN8, " 9638507", "Invalid Text len (EAN8)"},
        /* 5*/ ErrorCase{bcCodeEAN13, "590123412345a", "Barcode must be numeric"},
        /* 6*/ ErrorCase{bcCode_2_5_interleaved, "12 34", "Barcode must be numeric"},
        // Only spaces are trimmed.
        /* 7*/ ErrorCase{bcCodeMSI, "12\t", "Barcode must be numeric"},
        /* 8*/ ErrorCase{bcCodePostNet, "-12", "Barcode must be numeric"},
        /* 9*/ ErrorCase{bcCode_2_5_matrix, "1.5", "Barcode must be numeric"},
        /*10*/ ErrorCase{bcCode_2_5_industrial, "\xB9", "Barcode must be numeric"},
        /*11*/ ErrorCase{bcCode128C, "123", "Invalid Text len (Code128C)"},
        /*12*/ ErrorCase{bcCode128C, "12a4", "Barcode must be numeric"},
        /*13*/ ErrorCase{bcCode93, "a", "TBarcode:Code93 bad Data <a>"},
        /*14*/ ErrorCase{bcCode93, "AB*C", "TBarcode:Code93 bad Data <AB*C>"},
        // The data is shown as the operator wrote it: 0xA3 is "Ł" in windows-1250.
        /*15*/ ErrorCase{bcCode93, "\xA3ODZ", "TBarcode:Code93 bad Data <ŁODZ>"},
        /*16*/ ErrorCase{bcCodeCodabar, "12E4", "TBarcode:Codabar bad Data <12E4>"},
        /*17*/ ErrorCase{bcCodeCodabar, "12a", "TBarcode:Codabar bad Data <12a>"},
        // The start and stop letters would end the symbol early.
        /*18*/ ErrorCase{bcCodeCodabar, "1A2", "TBarcode:Codabar bad Data <1A2>"},
        /*19*/ ErrorCase{bcCodeCodabar, "12D", "TBarcode:Codabar bad Data <12D>"},
        // 15 is the largest value the type can hold beyond the symbologies.
        /*20*/ ErrorCase{static_cast<TBarcodeType>(15), "1", "TBarcode: wrong BarcodeType"}));

TEST(Bars, EveryEntryRaisesTheDataError)
{
    TBarcode barcode;
    barcode.Text = "123";
    const QString expected = QStringLiteral("Invalid Text len (EAN13)");
    auto textOf = [](auto&& call) {
        try {
            call();
        } catch (const TBarcodeError& error) {
            return error.Text();
        }
        return QString();
    };
    EXPECT_EQ(textOf([&] { barcode.Pattern(); }), expected);
    EXPECT_EQ(textOf([&] { barcode.Width(); }), expected);
    EXPECT_EQ(textOf([&] { barcode.SetWidth(200); }), expected);

    RecordingSurface surface;
    surface.SetPen(0x123456, 3);
    EXPECT_EQ(textOf([&] { barcode.Draw(surface); }), expected);
    EXPECT_TRUE(surface.Records().isEmpty());
    EXPECT_EQ(surface.PenColor(), 0x123456u);
}

TEST(Bars, InternalErrorNamesTheCharacter)
{
    try {
        bars::PatternWidth(QByteArray("505X"), {1, 2, 3, 4});
        FAIL() << "no error";
    } catch (const TBarcodeError& error) {
        EXPECT_EQ(error.Text(), QStringLiteral("TBarcode: internal Error \"X\""));
    }
    // The whole alphabet is accepted, with its widths.
    EXPECT_EQ(bars::PatternWidth(QByteArray("01235678ABCD"), {1, 2, 3, 4}), 30);
}

TEST(Bars, NumericDataIsTrimmedOfSpacesInPlace)
{
    TBarcode barcode;
    barcode.Typ = bcCodeMSI;
    barcode.Text = "  123 ";
    const int width = barcode.Width();
    EXPECT_EQ(barcode.Text, QByteArray("  123 ")); // reading the width changes nothing
    const QByteArray pattern = barcode.Pattern();
    EXPECT_EQ(barcode.Text, QByteArray("123"));
    EXPECT_EQ(pattern, PatternOf(bcCodeMSI, "123"));
    EXPECT_EQ(barcode.Width(), width);

    // Space is a Code 39 character; the data stays as written.
    barcode.Typ = bcCode39;
    barcode.Text = " A ";
    barcode.Pattern();
    EXPECT_EQ(barcode.Text, QByteArray(" A "));
    barcode.Typ = bcCode39Extended;
    barcode.Text = "ab";
    barcode.Pattern();
    EXPECT_EQ(barcode.Text, QByteArray("ab"));
}

TEST(Bars, CharactersTheCodeCannotCarryAreLeftOut)
{
    // Code 39: lower case, and "*", which a scanner would take for the end.
    EXPECT_EQ(PatternOf(bcCode39, "A*b-c"), PatternOf(bcCode39, "A-"));
    // The full-ASCII forms have no spelling from 128 up.
    EXPECT_EQ(PatternOf(bcCode39Extended, "a\xE9Z"), PatternOf(bcCode39Extended, "aZ"));
    EXPECT_EQ(PatternOf(bcCode93Extended, "a\xE9Z"), PatternOf(bcCode93Extended, "aZ"));
    // Code 93 Extended spells what Code 93 cannot take.
    EXPECT_EQ(PatternOf(bcCode93Extended, "a"), PatternOf(bcCode93, "}A"));
    EXPECT_EQ(PatternOf(bcCode39Extended, "a"), PatternOf(bcCode39, "+A"));
    // Code 128: a character outside the set goes as value 0, the space.
    EXPECT_EQ(PatternOf(bcCode128A, "a"), PatternOf(bcCode128A, " "));
    EXPECT_EQ(PatternOf(bcCode128B, "\xE9"), PatternOf(bcCode128B, " "));
}

// Patterns are written into memory sized for the longest spelling; data made
// of any one byte, repeated, must fit in every symbology (the debug build
// checks each write against the bound, the sanitizers each byte).
TEST(Bars, LongDataOfAnyCharacterFitsEverySymbology)
{
    for (int typ = 0; typ < 15; ++typ) {
        for (int byte = 0; byte < 256; ++byte) {
            TBarcode barcode;
            barcode.Typ = static_cast<TBarcodeType>(typ);
            barcode.Text = QByteArray(300, static_cast<char>(byte));
            try {
                EXPECT_GT(barcode.Pattern().size(), 0) << typ << " " << byte;
            } catch (const TBarcodeError&) {
                // Data this symbology refuses.
            }
        }
    }
}

struct WidthCase
{
    TBarcodeType typ;
    int modul;
    double ratio;
    const char* data;
    int width;
};

class BarsWidthTest : public testing::TestWithParam<WidthCase>
{};

TEST_P(BarsWidthTest, NaturalWidth)
{
    const WidthCase& c = GetParam();
    TBarcode barcode;
    barcode.Typ = c.typ;
    barcode.SetModul(c.modul);
    barcode.Ratio = c.ratio;
    barcode.Text = c.data;
    EXPECT_EQ(barcode.Width(), c.width);
}

// Code 39 "0" is three characters of six narrow and three wide elements and
// two narrow gaps: 3 (6 w0 + 3 w1) + 2 w0. Matrix 2 of 5 "0": 2 w2 + 13 w0 +
// 2 w1. MSI "1" (check digit 8): 11 w0 + 10 w1. Halves round to even.
INSTANTIATE_TEST_SUITE_P(
    Cases, BarsWidthTest,
    testing::Values(
        /* 0*/ WidthCase{bcCode39, 1, 2.0, "0", 38},
        /* 1*/ WidthCase{bcCode39, 1, 1.5, "0", 38},  // limited to 2.0
        /* 2*/ WidthCase{bcCode39, 1, 3.5, "0", 47},  // limited to 3.0
        /* 3*/ WidthCase{bcCode39, 1, 2.5, "0", 38},  // w1 = round(2.5) = 2
        /* 4*/ WidthCase{bcCode39, 2, 2.5, "0", 85},  // w1 = 5
        /* 5*/ WidthCase{bcCode39, 3, 2.5, "0", 132}, // w1 = round(7.5) = 8
        /* 6*/ WidthCase{bcCode39Extended, 1, 1.0, "0", 38},
        /* 7*/ WidthCase{bcCodeCodabar, 1, 9.0, "", 27},         // 3.0: 2 (4 w0 + 3 w1) + w0
        /* 8*/ WidthCase{bcCode_2_5_matrix, 1, 2.0, "0", 23},    // 2.25: w1 2, w2 3
        /* 9*/ WidthCase{bcCode_2_5_matrix, 2, 2.0, "0", 46},    // w1 = round(4.5) = 4
        /*10*/ WidthCase{bcCode_2_5_matrix, 1, 3.0, "0", 27},    // w1 3, w2 4
        /*11*/ WidthCase{bcCode_2_5_interleaved, 1, 1.0, "", 8}, // 2.0: 4 w0 + w1 + 2 w0
        /*12*/ WidthCase{bcCode_2_5_industrial, 1, 5.0, "", 20}, // 3.0: 8 w0 + 4 w1
        /*13*/ WidthCase{bcCodeMSI, 2, 1.5, "1", 52},            // any ratio: w1 = 3
        /*14*/ WidthCase{bcCodeMSI, 1, 4.0, "1", 51},            // not limited
        /*15*/ WidthCase{bcCodePostNet, 1, 3.0, "", 5},          // "51" "5": 2 w0 + w1
        // Symbols counted in modules keep their module widths at any ratio.
        /*16*/ WidthCase{bcCode128B, 1, 3.0, "A", 46},
        /*17*/ WidthCase{bcCode128B, 2, 2.0, "A", 92},
        /*18*/ WidthCase{bcCode93, 1, 3.0, "A", 9 * 4 + 10},
        /*19*/ WidthCase{bcCodeEAN13, 1, 3.0, "5901234123457", 95},
        /*20*/ WidthCase{bcCodeEAN8, 3, 2.0, "96385074", 3 * 67},
        // Out-of-range Modul values are ignored: the module stays 1.
        /*21*/ WidthCase{bcCodeEAN8, 0, 2.0, "96385074", 67},
        /*22*/ WidthCase{bcCodeEAN8, 50, 2.0, "96385074", 67},
        /*23*/ WidthCase{bcCodeEAN8, 49, 2.0, "96385074", 49 * 67}));

TEST(Bars, SettingTheWidthStretchesButNeverShrinks)
{
    TBarcode barcode;
    barcode.Text = "5901234123457";
    barcode.SetWidth(50);
    EXPECT_EQ(barcode.Width(), 95);
    barcode.SetWidth(95);
    EXPECT_EQ(barcode.Width(), 95);
    barcode.SetWidth(200);
    EXPECT_EQ(barcode.Width(), 200);
    barcode.SetWidth(190); // stretch 2
    // The width follows the data that is there now, at the same stretch.
    barcode.Typ = bcCodeEAN8;
    barcode.Text = "96385074";
    EXPECT_EQ(barcode.Width(), 134);
    // Stretched by 57 / 38 = 1.5, 38 * 1.5 is exact; 67 * 1.5 = 100.5 goes to 100.
    barcode.Typ = bcCode39;
    barcode.Text = "0";
    barcode.SetWidth(57);
    barcode.Typ = bcCodeEAN8;
    barcode.Text = "96385074";
    EXPECT_EQ(barcode.Width(), 100);
}

struct Rect
{
    int left, top, right, bottom;
    SurfaceColor color;
    bool operator==(const Rect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom &&
               color == o.color;
    }
};

std::ostream& operator<<(std::ostream& out, const Rect& r)
{
    return out << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ") "
               << std::hex << r.color << std::dec;
}

// The rectangles drawn, checking on the way that pen and brush agree and the
// pen is one pixel wide.
std::vector<Rect> Rectangles(const RecordingSurface& surface)
{
    std::vector<Rect> rects;
    for (const SurfaceRecord& record : surface.Records()) {
        EXPECT_EQ(record.kind, SurfaceRecord::Rectangle);
        EXPECT_EQ(record.points.size(), 2);
        if (record.points.size() != 2)
            continue;
        EXPECT_EQ(record.penColor, record.brushColor);
        EXPECT_EQ(record.penWidth, 1);
        rects.push_back({record.points[0].x, record.points[0].y, record.points[1].x,
                         record.points[1].y, record.brushColor});
    }
    return rects;
}

TEST(Bars, DrawsEachElementAtItsStretchedPosition)
{
    TBarcode barcode;
    barcode.Typ = bcCode39;
    barcode.Text = "0";
    barcode.Left = 10;
    barcode.Top = 20;
    barcode.Height = 30;
    barcode.SetWidth(57); // 38 wide: stretched by 1.5
    RecordingSurface surface;
    barcode.Draw(surface);
    const std::vector<Rect> rects = Rectangles(surface);
    ASSERT_EQ(rects.size(), 29u);
    // "*" = 515060605 and the gap: edges at 0 1 3 4 5 7 8 10 11 12 13
    // pattern units, times 1.5: 0 1.5 4.5 6 7.5 10.5 12 15 16.5 18 19.5,
    // with halves going to the even pixel.
    const std::vector<Rect> start = {
        {10, 20, 12, 50, kBlack}, {12, 20, 14, 50, kWhite}, {14, 20, 16, 50, kBlack},
        {16, 20, 18, 50, kWhite}, {18, 20, 20, 50, kBlack}, {20, 20, 22, 50, kWhite},
        {22, 20, 25, 50, kBlack}, {25, 20, 26, 50, kWhite}, {26, 20, 28, 50, kBlack},
        {28, 20, 30, 50, kWhite},
    };
    for (std::size_t i = 0; i < start.size(); ++i)
        EXPECT_EQ(rects[i], start[i]) << "element " << i;
    // Elements meet edge to edge and the last ends at the stretched width.
    for (std::size_t i = 1; i < rects.size(); ++i)
        EXPECT_EQ(rects[i].left, rects[i - 1].right) << "element " << i;
    EXPECT_EQ(rects.back().right, 10 + 57);
}

TEST(Bars, ShortBarsTakeTwoFifthsOfTheHeightFromTheTop)
{
    TBarcode barcode;
    barcode.Typ = bcCodePostNet;
    barcode.Text = "1"; // 00011: short short short tall tall
    barcode.Top = 5;
    barcode.Height = 12; // short bars 12 * 2 div 5 = 4
    RecordingSurface surface;
    barcode.Draw(surface);
    const std::vector<Rect> rects = Rectangles(surface);
    const std::vector<Rect> expected = {
        {0, 5, 1, 17, kBlack},   {1, 5, 3, 17, kWhite},   {3, 5, 4, 9, kBlack},
        {4, 5, 6, 17, kWhite},   {6, 5, 7, 9, kBlack},    {7, 5, 9, 17, kWhite},
        {9, 5, 10, 9, kBlack},   {10, 5, 12, 17, kWhite}, {12, 5, 13, 17, kBlack},
        {13, 5, 15, 17, kWhite}, {15, 5, 16, 17, kBlack}, {16, 5, 18, 17, kWhite},
        {18, 5, 19, 17, kBlack},
    };
    EXPECT_EQ(rects, expected);
}

TEST(Bars, DrawLeavesFontPenAndBrushAsTheyWere)
{
    RecordingSurface surface;
    const SurfaceFont font{QStringLiteral("Tahoma"), 238, -13, true};
    surface.SetFont(font);
    surface.SetPen(0x336699, 4);
    surface.SetBrushColor(0x00FF00);
    TBarcode barcode;
    barcode.Text = "5901234123457";
    barcode.Height = 40;
    barcode.Draw(surface);
    EXPECT_EQ(Rectangles(surface).size(), 59u);
    EXPECT_EQ(surface.Font(), font);
    EXPECT_EQ(surface.PenColor(), 0x336699u);
    EXPECT_EQ(surface.PenWidth(), 4);
    EXPECT_EQ(surface.BrushColor(), 0x00FF00u);
}

} // namespace
