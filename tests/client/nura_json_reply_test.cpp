#include "client/nura_json_reply.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// A reply in a valid envelope carrying the given results text.
QByteArray Reply(const QByteArray& results)
{
    return QByteArray("[{\"status\": 200, \"data\": {\"connection_id\": \"c-9\", \"results\": ") +
           results + "}}]";
}

// The text a reading rule threw, "" when it did not throw.
template <typename Read> QString Thrown(Read read)
{
    try {
        read();
    } catch (const TJSONError& error) {
        return error.Text();
    }
    return QString();
}

TEST(NuraJsonReply, ChecksTheEnvelopeInOrder)
{
    const struct
    {
        const char* body;
        const char* error;
    } rows[] = {
        /* 0*/ {"", "Błąd połączenia (Value not found (1))"},
        /* 1*/ {"\n{}", "Błąd połączenia (Type mismatch (2))"},
        /* 2*/ {"[1 2]", "Błąd połączenia (Array error (1))"},
        /* 3*/ {"[]", "Błąd odpowiedzi (status)"},
        /* 4*/ {"[1]", "Błąd odpowiedzi (status)"},
        /* 5*/ {"[{}]", "Błąd odpowiedzi (status)"},
        /* 6*/ {"[{\"status\": \"200\"}]", "Błąd odpowiedzi (status)"},
        /* 7*/ {"[{\"status\": 200.5}]", "Błąd odpowiedzi (status)"},
        /* 8*/ {"[{\"Status\": 200}]", "Błąd odpowiedzi (status)"},
        /* 9*/ {"[{\"status\": 200}]", "Błąd odpowiedzi (data)"},
        /*10*/ {"[{\"status\": 200, \"data\": []}]", "Błąd odpowiedzi (data)"},
        /*11*/ {"[{\"status\": 200, \"data\": {}}]", "Błąd odpowiedzi (connection_id)"},
        /*12*/
        {"[{\"status\": 200, \"data\": {\"connection_id\": 5}}]",
         "Błąd odpowiedzi (connection_id)"},
        /*13*/
        {"[{\"status\": 200, \"data\": {\"connection_id\": \"c\"}}]", "Błąd odpowiedzi (results)"},
        /*14*/
        {"[{\"status\": 200, \"data\": {\"connection_id\": \"c\", \"results\": {}}}]",
         "Błąd odpowiedzi (results)"},
        /*15*/ {"[{\"status\": 200, \"data\": {\"connection_id\": \"c\", \"results\": []}}]", ""},
        /*16*/
        {"[{\"data\": {\"connection_id\": \"c\", \"results\": []}, \"status\": 2e2}, 7]", ""},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        NuraJsonReply reply;
        EXPECT_EQ(reply.Parse(QByteArray(rows[i].body)), Text(rows[i].error)) << "row " << i;
    }
}

TEST(NuraJsonReply, Status500IsAnErrorEvenInAValidEnvelope)
{
    NuraJsonReply reply;
    EXPECT_EQ(reply.Parse("[{\"status\": 500, \"data\": {\"connection_id\": \"c-1\", "
                          "\"results\": [[1, 0]]}}]"),
              Text("Błąd odpowiedzi (status)"));
    EXPECT_EQ(reply.ConnectionId(), QString());
    EXPECT_EQ(Thrown([&] { reply.Results(); }), Text("Not an array"));
}

TEST(NuraJsonReply, TakesTheConnectionIdRaw)
{
    NuraJsonReply reply;
    EXPECT_EQ(reply.Parse("[{\"status\": 200, \"data\": {\"connection_id\": \"a\\/\\u0141\"}}]"),
              Text("Błąd odpowiedzi (results)"));
    EXPECT_EQ(reply.ConnectionId(), Text("a\\/\\u0141"));
    EXPECT_EQ(reply.Parse(Reply("[]")), QString());
    EXPECT_EQ(reply.ConnectionId(), Text("c-9"));
}

TEST(NuraJsonReply, ReadsAnswerAndRecordFieldsByKind)
{
    NuraJsonReply reply;
    ASSERT_EQ(reply.Parse(Reply("[[1, 6], [1, 42], [2, \"a\\/b \\u00F3\"], [3, \"QU\\/JD\"],"
                                " [7, \"x\"], [1, -1.5], [0]]")),
              QString());
    TAnswer answer;
    answer.fields[9] = Text("stale");
    EXPECT_EQ(reply.ReadAnswer(answer), QString());
    EXPECT_EQ(answer.count, 6);
    EXPECT_EQ(answer.fields[0], Text("42"));
    EXPECT_EQ(answer.fields[1], Text("a/b \xC3\xB3"));
    EXPECT_EQ(answer.fields[2], Text("QU/JD")); // unescaped, not decoded
    EXPECT_EQ(answer.fields[3], QString());     // an unknown kind stays empty
    EXPECT_EQ(answer.fields[4], Text("-1.5"));
    EXPECT_EQ(answer.fields[5], QString()); // its value is never looked at
    EXPECT_EQ(answer.fields[9], QString());

    const TNuraRecordPtr record = reply.ReadRecord(-5);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->key, -5);
    EXPECT_EQ(record->count, 6);
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_EQ(record->fields[i], answer.fields[i]) << "field " << i;
}

TEST(NuraJsonReply, CountsOutsideTheirRange)
{
    const struct
    {
        const char* count;
        int answerCount; // -1: the answer is refused
        const char* answerError;
        bool record;
    } rows[] = {
        /* 0*/ {"0", 0, "", false},
        /* 1*/ {"1", 1, "", true},
        /* 2*/ {"50", 50, "", true},
        /* 3*/ {"50.4", 50, "", true},
        /* 4*/ {"-0.4", 0, "", false},
        /* 5*/ {"0.6", 1, "", true},
        /* 6*/ {"50.5", -1, "Zła wielkość odpowiedzi (51)", false},
        /* 7*/ {"51", -1, "Zła wielkość odpowiedzi (51)", false},
        /* 8*/ {"-1", -1, "Zła wielkość odpowiedzi (-1)", false},
        /* 9*/ {"1e300", -1, "Zła wielkość odpowiedzi (1E300)", false},
        /*10*/ {"-4294967297", -1, "Zła wielkość odpowiedzi (-4294967297)", false},
        /*11*/ {"1e4000", -1, "Zła wielkość odpowiedzi (1E4000)", false},
    };
    // Fifty text fields behind the count.
    QByteArray fields;
    for (int i = 1; i <= 50; ++i)
        fields += ", [2, \"f" + QByteArray::number(i) + "\"]";
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        NuraJsonReply reply;
        ASSERT_EQ(reply.Parse(Reply("[[1, " + QByteArray(rows[i].count) + "]" + fields + "]")),
                  QString())
            << "row " << i;
        TAnswer answer;
        EXPECT_EQ(reply.ReadAnswer(answer), Text(rows[i].answerError)) << "row " << i;
        EXPECT_EQ(answer.count, std::max(rows[i].answerCount, 0)) << "row " << i;
        if (rows[i].answerCount > 0) {
            EXPECT_EQ(answer.fields[static_cast<std::size_t>(rows[i].answerCount - 1)],
                      QStringLiteral("f%1").arg(rows[i].answerCount))
                << "row " << i;
        }
        const TNuraRecordPtr record = reply.ReadRecord(7);
        EXPECT_EQ(record != nullptr, rows[i].record) << "row " << i;
    }
}

TEST(NuraJsonReply, MalformedResultsThrowTheAccessorsText)
{
    const struct
    {
        const char* results;
        const char* error;
    } rows[] = {
        /* 0*/ {"[]", "Index out of range (0)"},
        /* 1*/ {"[[1]]", "Index out of range (1)"},
        /* 2*/ {"[5]", "Not an array"},
        /* 3*/ {"[[1, \"2\"]]", "Not a number"},
        /* 4*/ {"[[1, 3], [2, \"a\"]]", "Index out of range (2)"},
        /* 5*/ {"[[1, 1], [\"2\", \"a\"]]", "Not a number"},
        /* 6*/ {"[[1, 1], [2, 5]]", "Not a string"},
        /* 7*/ {"[[1, 1], [1, \"5\"]]", "Not a number"},
        /* 8*/ {"[[1, 1], [2]]", "Index out of range (1)"},
        /* 9*/ {"[[1, 1], [2, \"\\x\"]]", "Backslash conversion error \"\\x...\""},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        NuraJsonReply reply;
        ASSERT_EQ(reply.Parse(Reply(rows[i].results)), QString()) << "row " << i;
        TAnswer answer;
        answer.count = 9;
        EXPECT_EQ(Thrown([&] { reply.ReadAnswer(answer); }), Text(rows[i].error)) << "row " << i;
        EXPECT_EQ(answer.count, 0) << "row " << i;
        EXPECT_EQ(Thrown([&] { reply.ReadRecord(0); }), Text(rows[i].error)) << "row " << i;
    }
}

TEST(NuraJsonReply, ReadsBlobsOnlyFromBlobItems)
{
    const struct
    {
        const char* results;
        int index;
        bool read;
        QByteArray bytes;
    } rows[] = {
        /* 0*/ {"[[3, \"+\\/+\\/IHBsaWs=\"]]", 0, true, "\xFB\xFF\xBF plik"},
        /* 1*/ {"[[3, \"\"]]", 0, true, ""},
        /* 2*/ {"[[2, \"x\"]]", 0, false, ""},
        /* 3*/ {"[[2, \"QUJD\"]]", 0, false, ""},
        /* 4*/ {"[[3, 5]]", 0, false, ""},
        /* 5*/ {"[[3]]", 0, false, ""},
        /* 6*/ {"[\"QUJD\"]", 0, false, ""},
        /* 7*/ {"[[3, \"QUJD\"]]", 1, false, ""},
        /* 8*/ {"[[3, \"QUJD\"]]", -1, false, ""},
        /* 9*/ {"[[\"\"], [3, \"QUJD\"]]", 1, true, "ABC"},
        /*10*/ {"[[3.0, \"QU\\u004AD\"]]", 0, true, "ABC"},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        NuraJsonReply reply;
        ASSERT_EQ(reply.Parse(Reply(rows[i].results)), QString()) << "row " << i;
        QByteArray bytes("stale");
        EXPECT_EQ(reply.ReadBlob(rows[i].index, bytes), rows[i].read) << "row " << i;
        EXPECT_EQ(bytes, rows[i].bytes) << "row " << i;
    }

    NuraJsonReply reply;
    ASSERT_EQ(reply.Parse(Reply("[[3, \"QU\\u12\"]]")), QString());
    QByteArray bytes;
    EXPECT_EQ(Thrown([&] { reply.ReadBlob(0, bytes); }), Text("\\u conversion error"));
}

TEST(NuraJsonReply, ReadsTheStatusOfAProtectedDownload)
{
    NuraJsonReply reply;
    ASSERT_EQ(reply.Parse(Reply("[[\"Brak dost\\u0119pu\"], [3, \"\"]]")), QString());
    EXPECT_EQ(reply.ReadStatus(), Text("Brak dostępu"));
    ASSERT_EQ(reply.Parse(Reply("[[1, 0]]")), QString());
    EXPECT_EQ(Thrown([&] { reply.ReadStatus(); }), Text("Not a string"));
}

} // namespace
