#include "catalog/brace_notation.h"

#include <gtest/gtest.h>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

struct TakeCase
{
    const char* text;
    const char* key;
    const char* value;
    const char* rest;
};

class TakeRecordTest : public testing::TestWithParam<TakeCase>
{};

TEST_P(TakeRecordTest, TakesValueAndLeavesRest)
{
    const TakeCase& c = GetParam();
    QString text = S(c.text);
    EXPECT_EQ(TakeRecord(text, S(c.key)), S(c.value));
    EXPECT_EQ(text, S(c.rest));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TakeRecordTest,
    testing::Values(
        /* 0*/ TakeCase{"{a=1}{b=2}", "b", "2", "{a=1}"},
        /* 1*/ TakeCase{"{a=1}{b=2}", "c", "", "{a=1}{b=2}"},
        /* 2*/ TakeCase{"{e={nam=X}{typ=1}}", "e", "{nam=X}{typ=1}", ""},
        /* 3*/ TakeCase{"{x=a=b}", "x", "a=b", ""},
        /* 4*/ TakeCase{"{flag}{b=2}", "b", "2", "{flag=}"},
        // An empty record ends the search; what was skipped goes back in front.
        /* 5*/ TakeCase{"{a=1}{}{b=2}", "b", "", "{a=1}{b=2}"},
        /* 6*/ TakeCase{"{a=1", "a", "1", ""},
        /* 7*/ TakeCase{"x{a=1}y{b=2}z", "b", "2", "{a=1}xyz"},
        /* 8*/ TakeCase{"{e=1}", "E", "", "{e=1}"},
        // Skipped records keep their order, and so do the characters between them.
        /* 9*/ TakeCase{"1{a=x}2{b=y}3{c=z}4", "c", "z", "{a=x}{b=y}1234"},
        /*10*/ TakeCase{"{a={b={c=1}}}{b=2}", "b", "2", "{a={b={c=1}}}"},
        // A nested record that never closes swallows the rest of the text.
        /*11*/ TakeCase{"{a={b=1}{c=2}", "c", "", "{a={b=1}{c=2}}"},
        /*12*/ TakeCase{"junk", "a", "", "junk"},
        /*13*/ TakeCase{"", "a", "", ""},
        // The name ends at the first "=" even inside a nested brace.
        /*14*/ TakeCase{"{a{=b}c=d}", "a{", "b}c=d", ""},
        /*15*/ TakeCase{"\r\n{e=1}\r\n{e=2}", "e", "1", "\r\n\r\n{e=2}"},
        /*16*/ TakeCase{"{=v}{a=1}", "a", "v", "{a=1}"},
        /*17*/ TakeCase{"{a=1}}{b=2}", "b", "2", "{a=1}}"},
        /*18*/ TakeCase{"{zażółć=gęślą}", "zażółć", "gęślą", ""}));

struct NextCase
{
    const char* text;
    const char* name;
    const char* value;
    const char* rest;
};

class NextRecordTest : public testing::TestWithParam<NextCase>
{};

TEST_P(NextRecordTest, SplitsFirstRecord)
{
    const NextCase& c = GetParam();
    QString text = S(c.text);
    QString name = S("stale");
    QString value = S("stale");
    NextRecord(text, name, value);
    EXPECT_EQ(name, S(c.name));
    EXPECT_EQ(value, S(c.value));
    EXPECT_EQ(text, S(c.rest));
}

INSTANTIATE_TEST_SUITE_P(Cases, NextRecordTest,
                         testing::Values(
                             /* 0*/ NextCase{"{x=a=b}", "x", "a=b", ""},
                             /* 1*/ NextCase{"{flag}", "flag", "", ""},
                             /* 2*/ NextCase{"ab{c= d }ef", "c", " d ", "abef"},
                             /* 3*/ NextCase{"no records", "", "", "no records"},
                             /* 4*/ NextCase{"{}", "", "", ""},
                             /* 5*/ NextCase{"{ a =1}", " a ", "1", ""},
                             /* 6*/ NextCase{"x{a=1", "a", "1", "x"},
                             /* 7*/ NextCase{"}{a=1}", "a", "1", "}"}));

TEST(FindClosingBrace, ReturnsEndForUnclosedRecords)
{
    EXPECT_EQ(FindClosingBrace(u"{a{b}c}", 0), 6);
    EXPECT_EQ(FindClosingBrace(u"{a{b}c}", 2), 4);
    EXPECT_EQ(FindClosingBrace(u"{a{b}c", 0), 6);
    EXPECT_EQ(FindClosingBrace(u"{", 0), 1);
}

TEST(FindClosingBrace, SurvivesMillionDeepNesting)
{
    const qsizetype depth = 1000000;
    QString text = QString(depth, QLatin1Char('{')) + QString(depth, QLatin1Char('}'));
    EXPECT_EQ(FindClosingBrace(text, 0), text.size() - 1);
    EXPECT_EQ(FindClosingBrace(text, 1), text.size() - 2);

    QString unclosed(depth, QLatin1Char('{'));
    QString name;
    QString value;
    NextRecord(unclosed, name, value);
    EXPECT_TRUE(unclosed.isEmpty());
    EXPECT_EQ(name.size(), depth - 1);
}

// TakeRecords must give what repeated TakeRecord calls give, text included.
TEST(TakeRecords, MatchesRepeatedTakeRecord)
{
    const char* texts[] = {
        /* 0*/ "{x=1}{r=a}{x=2}{r=b}{q=3}",
        /* 1*/ "{r=a}{r=}{r=b}",
        /* 2*/ "pre{x=1}mid{r=a}{flag}{r=b}post",
        /* 3*/ "{x=1}{}{r=a}",
        /* 4*/ "{r=a}{r=b}{r=c",
        /* 5*/ "",
        /* 6*/ "{x={r=inner}}{r=outer}",
        /* 7*/ "{=v}{r=a}",
    };
    for (const char* t : texts) {
        QString walked = S(t);
        QStringList expected;
        for (QString v = TakeRecord(walked, S("r")); !v.isEmpty(); v = TakeRecord(walked, S("r")))
            expected << v;
        QString single = S(t);
        EXPECT_EQ(TakeRecords(single, S("r")), expected) << t;
        EXPECT_EQ(single, walked) << t;
    }
}

TEST(TakeRecord, WalksLayoutAsTheMainWindowDoes)
{
    QString layout = S("{e={nam=Prasa}{typ=1}{e={nam=Dzienniki}}}{e={nam=Książki}}");
    QString element = TakeRecord(layout, S("e"));
    EXPECT_EQ(TakeRecord(element, S("nam")), S("Prasa"));
    EXPECT_EQ(TakeRecord(element, S("typ")), S("1"));
    EXPECT_EQ(element, S("{e={nam=Dzienniki}}"));
    EXPECT_EQ(TakeRecord(layout, S("e")), S("{nam=Książki}"));
    EXPECT_TRUE(layout.isEmpty());
}

} // namespace
