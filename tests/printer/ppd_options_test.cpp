// The driver options read from PPD files, whole or damaged.
#include "printer/ppd_options.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

// "Keyword/Text type=default: choice/text choice/text", one per option.
QStringList Summary(const QVector<PpdOption>& options)
{
    static const char* const kTypes[] = {"PickOne", "Boolean", "PickMany"};
    QStringList lines;
    for (const PpdOption& option : options) {
        QString line = QStringLiteral("%1/%2 %3=%4:")
                           .arg(option.keyword, option.text,
                                QString::fromLatin1(kTypes[option.type]), option.defaultChoice);
        for (const PpdChoice& choice : option.choices)
            line += QStringLiteral(" %1/%2").arg(choice.keyword, choice.text);
        lines << line;
    }
    return lines;
}

struct PpdCase
{
    int row;
    const char* ppd;
    QStringList options;
};

// Rows are named by their number in the test list.
void PrintTo(const PpdCase& c, std::ostream* os)
{
    *os << "row " << c.row;
}

class PpdOptionsTest : public testing::TestWithParam<PpdCase>
{};

TEST_P(PpdOptionsTest, ReadsTheUserOptions)
{
    const PpdCase& c = GetParam();
    SCOPED_TRACE(testing::Message() << "row " << c.row);
    EXPECT_EQ(Summary(ReadPpdOptions(QByteArray(c.ppd))), c.options);
}

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

INSTANTIATE_TEST_SUITE_P(
    Files, PpdOptionsTest,
    testing::Values(
        /* 0*/ PpdCase{0, "", {}},
        // Both kinds of block, the default before or inside its block, a
        // choice without a text, Windows line ends.
        /* 1*/
        PpdCase{1,
                "*PPD-Adobe: \"4.3\"\r\n*DefaultDuplex: None\r\n"
                "*OpenUI *Duplex/Dwustronnie: PickOne\r\n*OrderDependency: 10 AnySetup *Duplex\r\n"
                "*Duplex None/Nie: \"\"\r\n*Duplex DuplexNoTumble: \"<</Duplex true>>\"\r\n"
                "*CloseUI: *Duplex\r\n"
                "*JCLOpenUI *JobOffset: Boolean\r\n*DefaultJobOffset: True\r\n"
                "*JobOffset True/On: \"@PJL\"\r\n*JobOffset False/Off: \"@PJL\"\r\n"
                "*JCLCloseUI: *JobOffset\r\n",
                {S("Duplex/Dwustronnie PickOne=None: None/Nie DuplexNoTumble/DuplexNoTumble"),
                 S("JobOffset/JobOffset Boolean=True: True/On False/Off")}},
        // Code that runs over several lines, with lines that look like
        // entries, is part of its choice; comments and other entries are
        // not choices.
        /* 2*/
        PpdCase{
            2,
            "*OpenUI *PageSize/Papier: PickOne\n*DefaultPageSize: A4\n"
            "*PageSize A4/A4: \"<</PageSize[595 842]\n*PageSize Fake/Fake: x\n>>setpagedevice\"\n"
            "*% *PageSize Comment: x\n*ImageableArea A4: \"0 0 595 842\"\n"
            "*PageSize A5/A5: \"<</PageSize[420 595]>>setpagedevice\"\n*CloseUI: *PageSize\n",
            {S("PageSize/Papier PickOne=A4: A4/A4 A5/A5")}},
        // A block never closed ends at the next one; an option named twice
        // keeps its first block; choices outside a block are not taken.
        /* 3*/
        PpdCase{
            3,
            "*OpenUI *InputSlot: PickMany\n*InputSlot Tray1/Tray 1: \"\"\n"
            "*OpenUI *MediaType/Media: PickOne\n*MediaType Plain: \"\"\n*CloseUI: *MediaType\n"
            "*InputSlot Tray2/Tray 2: \"\"\n"
            "*OpenUI *MediaType/Again: PickOne\n*MediaType Glossy: \"\"\n*CloseUI: *MediaType\n",
            {S("InputSlot/InputSlot PickMany=: Tray1/Tray 1"),
             S("MediaType/Media PickOne=: Plain/Plain")}},
        // A file cut inside a quoted value or a keyword.
        /* 4*/
        PpdCase{4,
                "*OpenUI *Resolution: PickOne\n*Resolution 300dpi: \"<<\n*Resolution 6",
                {S("Resolution/Resolution PickOne=: 300dpi/300dpi")}},
        /* 5*/ PpdCase{5, "*OpenUI\n*OpenUI *: PickOne\n*CloseUI\n*Default: x\n**\n", {}},
        // Texts in UTF-8 when the file says so.
        /* 6*/
        PpdCase{6,
                "*LanguageEncoding: UTF-8\n*OpenUI *ColorModel/Kolor: PickOne\n"
                "*ColorModel Gray/Skala szarości: \"\"\n*CloseUI: *ColorModel\n",
                {S("ColorModel/Kolor PickOne=: Gray/Skala szarości")}}));

// The generic PDF driver the print tests use, as the print system installs
// it: thirteen options, none lost to its comments and tables.
TEST(PpdOptionsFileTest, ReadsAnInstalledDriver)
{
    QFile file(QStringLiteral("/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "cups-filters is not installed";
    const QVector<PpdOption> options = ReadPpdOptions(file.readAll());
    QStringList keywords;
    for (const PpdOption& option : options)
        keywords << option.keyword + u'=' + option.defaultChoice;
    EXPECT_EQ(keywords, QStringList({S("PageSize=Letter"), S("PageRegion=Letter"),
                                     S("manualfeed=off"), S("manualduplex=off"), S("Duplex=None"),
                                     S("ColorModel=color"), S("Resolution=600dpi"), S("ret=notset"),
                                     S("borderless=on"), S("edgetoedge=yes"), S("joboffset=on"),
                                     S("lowsupplies=continue"), S("overridea4withletter=yes")}));
    ASSERT_FALSE(options.isEmpty());
    EXPECT_EQ(options[0].choices.size(), 34);
}

} // namespace
