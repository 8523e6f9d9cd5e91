#include "client/ansi_code_page.h"
#include "client/ansi_codec.h"

#include <gtest/gtest.h>

namespace {

QByteArray B(const char* bytes, qsizetype size)
{
    return QByteArray(bytes, size);
}

// Every test starts from the default page and leaves it so.
class AnsiCodecTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(SelectAnsiCodePage(kDefaultAnsiCodePage), QString()); }
    void TearDown() override { SelectAnsiCodePage(kDefaultAnsiCodePage); }
};

TEST_F(AnsiCodecTest, PolishLettersAreSingleBytesOfWindows1250)
{
    // Byte values from the windows-1250 table.
    EXPECT_EQ(EncodeAnsi(QStringLiteral(u"łĄżŚ")), B("\xB3\xA5\xBF\x8C", 4));
    EXPECT_EQ(DecodeAnsi(B("\xB3\xA5\xBF\x8C", 4)), QStringLiteral(u"łĄżŚ"));
}

struct EscapeCase
{
    const char16_t* text;
    const char* bytes;
    qsizetype size;
};

class AnsiEscapeTest : public AnsiCodecTest, public testing::WithParamInterface<EscapeCase>
{};

TEST_P(AnsiEscapeTest, UnmappedCharactersTravelAsEscapeRuns)
{
    const EscapeCase& c = GetParam();
    const QString text = QString::fromUtf16(c.text);
    EXPECT_EQ(EncodeAnsi(text), B(c.bytes, c.size));
    EXPECT_EQ(DecodeAnsi(B(c.bytes, c.size)), text);
}

INSTANTIATE_TEST_SUITE_P(Cases, AnsiEscapeTest,
                         testing::Values(
                             /* 0*/ EscapeCase{u"Ж", "\x1BU0416\x1A", 7},
                             /* 1*/
                             EscapeCase{u"aЖb",
                                        "a\x1BU0416\x1A"
                                        "b",
                                        9},
                             /* 2*/ EscapeCase{u"€", "\x80", 1},
                             /* 3*/ EscapeCase{u"\u20AB", "\x1BU20AB\x1A", 7},
                             // A surrogate pair travels as two escaped code units.
                             /* 4*/ EscapeCase{u"\U0001F600", "\x1BUD83D\x1A\x1BUDE00\x1A", 14},
                             /* 5*/ EscapeCase{u"", "", 0}));

struct DecodeCase
{
    const char* bytes;
    qsizetype size;
    const char16_t* text;
};

class AnsiDecodeTest : public AnsiCodecTest, public testing::WithParamInterface<DecodeCase>
{};

TEST_P(AnsiDecodeTest, IncompleteEscapeRunsStayText)
{
    const DecodeCase& c = GetParam();
    EXPECT_EQ(DecodeAnsi(B(c.bytes, c.size)), QString::fromUtf16(c.text));
}

INSTANTIATE_TEST_SUITE_P(Cases, AnsiDecodeTest,
                         testing::Values(
                             /* 0*/ DecodeCase{"\x1BU12", 4, u"\x1BU12"},
                             /* 1*/ DecodeCase{"\x1BU0416", 6, u"\x1BU0416"},
                             /* 2*/ DecodeCase{"\x1BU0416x", 7, u"\x1BU0416x"},
                             /* 3*/ DecodeCase{"\x1B", 1, u"\x1B"},
                             // Lower-case digits read as 0, as the server's reader does.
                             /* 4*/ DecodeCase{"\x1BU04a6\x1A", 7, u"\u0406"},
                             /* 5*/ DecodeCase{"\x1B\x1BU0416\x1A", 8, u"\x1BЖ"},
                             /* 6*/ DecodeCase{"\x1BX0416\x1A", 7, u"\x1BX0416\x1A"}));

TEST_F(AnsiCodecTest, EscapeCharacterPassesThroughAsAByte)
{
    // The parameter text writes "|" inside values as ESC "1"; it must reach
    // the server as those two bytes.
    EXPECT_EQ(EncodeAnsi(QStringLiteral(u"a\x1B"
                                        "1b")),
              QByteArray("a\x1B"
                         "1b"));
}

TEST_F(AnsiCodecTest, EveryCodeUnitSurvivesTheRoundTrip)
{
    QString all(0x10000, Qt::Uninitialized);
    for (int u = 0; u < 0x10000; ++u)
        all[u] = QChar(static_cast<char16_t>(u));
    EXPECT_EQ(DecodeAnsi(EncodeAnsi(all)), all);
}

TEST_F(AnsiCodecTest, EveryByteSurvivesTheRoundTrip)
{
    QByteArray all(256, '\0');
    for (int b = 0; b < 256; ++b)
        all[b] = static_cast<char>(b);
    EXPECT_EQ(EncodeAnsi(DecodeAnsi(all)), all);
}

TEST_F(AnsiCodecTest, AnotherSingleBytePageCanBeChosen)
{
    ASSERT_EQ(SelectAnsiCodePage(1252), QString());
    EXPECT_EQ(CurrentAnsiCodePage().number, 1252);
    EXPECT_EQ(EncodeAnsi(QStringLiteral(u"éł")), B("\xE9\x1BU0142\x1A", 8));
    EXPECT_EQ(DecodeAnsi(B("\xB3", 1)), QStringLiteral(u"³"));
}

TEST_F(AnsiCodecTest, UnusablePagesAreRefusedAndTheCurrentOneStays)
{
    EXPECT_EQ(SelectAnsiCodePage(4242), QStringLiteral(u"Nieznana strona kodowa 4242"));
    EXPECT_EQ(SelectAnsiCodePage(932),
              QStringLiteral(u"Strona kodowa 932 nie jest jednobajtową stroną zgodną z ASCII"));
    EXPECT_EQ(CurrentAnsiCodePage().number, kDefaultAnsiCodePage);
}

TEST_F(AnsiCodecTest, PlainCodePageConversionRefusesUnmappedCharacters)
{
    QByteArray out;
    EXPECT_TRUE(EncodeCodePage(u"zażółć", out));
    EXPECT_EQ(DecodeCodePage(out), QStringLiteral(u"zażółć"));
    EXPECT_FALSE(EncodeCodePage(u"Ж", out));
}

} // namespace
