#include "client/nura_text_helpers.h"
#include "client/password_encoding.h"

#include <gtest/gtest.h>

namespace {

TEST(GetParam, FindsWholeKeysOnly)
{
    const QString description =
        QStringLiteral("NURA3&xraporty=no&raporty=host:9000&wersja=20171113&struktura={a=1}&b");
    struct Row
    {
        const char* key;
        const char* value;
    } rows[] = {
        /* 0*/ {"raporty", "host:9000"},
        /* 1*/ {"xraporty", "no"},
        /* 2*/ {"wersja", "20171113"},
        /* 3*/ {"struktura", "{a=1}"},
        /* 4*/ {"b", ""},       // "&b" without "=" is no parameter
        /* 5*/ {"Raporty", ""}, // case matters
        /* 6*/ {"missing", ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(GetParam(description, QString::fromUtf8(row.key)), QString::fromUtf8(row.value))
            << row.key;
    EXPECT_EQ(GetParam(QStringLiteral("NURA1&message=Witaj"), QStringLiteral("message")),
              QStringLiteral("Witaj"));
}

TEST(NextToken, TakesTrimmedPiecesInTurn)
{
    QString text = QStringLiteral("  a  : b:: c ");
    EXPECT_EQ(NextToken(text, QLatin1Char(':')), QStringLiteral("a"));
    EXPECT_EQ(text, QStringLiteral(" b:: c "));
    EXPECT_EQ(NextToken(text, QLatin1Char(':')), QStringLiteral("b"));
    EXPECT_EQ(NextToken(text, QLatin1Char(':')), QString());
    EXPECT_EQ(NextToken(text, QLatin1Char(':')), QStringLiteral("c"));
    EXPECT_TRUE(text.isEmpty());
    QString tabs = QStringLiteral("\tx\t");
    EXPECT_EQ(NextToken(tabs, QLatin1Char(':')), QStringLiteral("\tx\t")) << "blanks only";
}

TEST(TextHelpers, JoinPadAndDates)
{
    EXPECT_EQ(Join(QString(), QStringLiteral("-"), QStringLiteral("x")), QStringLiteral("x"));
    EXPECT_EQ(Join(QStringLiteral("a"), QStringLiteral("-"), QString()), QStringLiteral("a"));
    EXPECT_EQ(Join(QStringLiteral("a"), QStringLiteral("-"), QStringLiteral("b")),
              QStringLiteral("a-b"));
    EXPECT_EQ(ZeroPadded(7, 3), QStringLiteral("007"));
    EXPECT_EQ(ZeroPadded(65535, 3), QStringLiteral("65535"));
    EXPECT_EQ(DateFromToday(1, QDate(2024, 12, 31)), QStringLiteral("20250101"));
    EXPECT_EQ(DateFromToday(-1, QDate(2024, 3, 1)), QStringLiteral("20240229"));
    EXPECT_EQ(DateDisplay(QStringLiteral("20240229")), QStringLiteral("29.02.2024"));
}

TEST(EncodePassword, MixesDigitsFromBothEnds)
{
    struct Row
    {
        const char* password;
        qint32 challenge;
        const char* encoded;
    } rows[] = {
        /* 0*/ {"A", 7, "327"},       // 7+0+65+1 = 73 -> "273": last, first, middle
        /* 1*/ {"tajne", 0, "tajne"}, // no challenge: unchanged
        /* 2*/ {"ab", 1, "1209193"},  // 99 -> "299", 101 -> "3101": "2993101"
        /* 3*/ {"", 5, ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(EncodePassword(QString::fromUtf8(row.password), row.challenge),
                  QString::fromUtf8(row.encoded))
            << row.password;
}

} // namespace
