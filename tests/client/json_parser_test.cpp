#include "client/json_value.h"

#include <gtest/gtest.h>

namespace {

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// The error text of parsing the UTF-8 text into a value of kind, or "" on
// success. The text form of Parse must give the same.
QString ParseError(TJSONKind kind, const QByteArray& utf8)
{
    QString errors[2];
    for (int form = 0; form < 2; ++form) {
        TJSONValue value(kind);
        try {
            if (form == 0)
                value.Parse(utf8);
            else
                value.Parse(QString::fromUtf8(utf8));
        } catch (const TJSONError& error) {
            errors[form] = error.Text();
        }
    }
    EXPECT_EQ(errors[0], errors[1]);
    return errors[0];
}

TEST(JsonParser, ReadsValidTexts)
{
    struct Row
    {
        TJSONKind kind;
        const char* text;
        const char* written;
    };
    const Row rows[] = {
        /* 0*/ {TJSONKind::Array, "[]", "[\r\n]\r\n"},
        /* 1*/ {TJSONKind::Object, " {} ", "{\r\n}\r\n"},
        /* 2*/ {TJSONKind::Array, "[1,]", "[\r\n  1\r\n]\r\n"},
        /* 3*/ {TJSONKind::Object, "{\"a\":1,}", "{\r\n  \"a\": 1\r\n}\r\n"},
        /* 4*/ {TJSONKind::String, "\"a\\\"b\"", "\"a\\\"b\"\r\n"},
        /* 5*/ {TJSONKind::String, "\"x\\\\\"", "\"x\\\\\"\r\n"},
        /* 6*/ {TJSONKind::Object, "{\"n\\\\\":1}", "{\r\n  \"n\\\\\": 1\r\n}\r\n"},
        /* 7*/ {TJSONKind::Object, "{\"n\\\"\":1}", "{\r\n  \"n\\\"\": 1\r\n}\r\n"},
        /* 8*/ {TJSONKind::String, "\"\\u00F3\\/\"", "\"\\u00F3\\/\"\r\n"},
        /* 9*/ {TJSONKind::Number, "-12", "-12\r\n"},
        /*10*/ {TJSONKind::Number, "1.5e+3", "1500\r\n"},
        /*11*/ {TJSONKind::Number, "-.5", "-0.5\r\n"},
        /*12*/ {TJSONKind::Number, "7.", "7\r\n"},
        /*13*/ {TJSONKind::Number, "00012E-1", "1.2\r\n"},
        /*14*/ {TJSONKind::Number, "1E400", "1E400\r\n"},
        /*15*/ {TJSONKind::Number, "1e-99999", "0\r\n"},
        /*16*/ {TJSONKind::Number, "123456789012345678901", "1.23456789012346E20\r\n"},
        /*17*/ {TJSONKind::Bool, "true", "true\r\n"},
        /*18*/ {TJSONKind::Bool, "\t\nfalse\r\n", "false\r\n"},
        /*19*/ {TJSONKind::Null, "null", "null\r\n"},
        /*20*/
        {TJSONKind::Array, "[\"\",[],{},null,-0]",
         "[\r\n  \"\",\r\n  [\r\n  ],\r\n  {\r\n  },\r\n  null,\r\n  0\r\n]\r\n"},
        /*21*/
        {TJSONKind::Array, "[{\"a\":[1,\"x\"]}]",
         "[\r\n  {\r\n    \"a\": [\r\n      1,\r\n      \"x\"\r\n    ]\r\n  }\r\n]\r\n"},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        TJSONValue value(rows[i].kind);
        EXPECT_NO_THROW(value.Parse(QByteArray(rows[i].text))) << "row " << i;
        EXPECT_EQ(value.ToUtf8(), QByteArray(rows[i].written)) << "row " << i;
        EXPECT_EQ(value.ToText(), Text(rows[i].written)) << "row " << i;
    }
}

TEST(JsonParser, KeepsStringsRaw)
{
    TJSONValue value(TJSONKind::Object);
    value.Parse(QByteArray("{\"k\\\\\" : \"a\\\"b\"}"));
    const TJSONMember& member = value.AsObject().Item(0);
    EXPECT_EQ(member.name, Text("k\\\\"));
    EXPECT_EQ(member.value.RawString(), QByteArray("a\\\"b"));
}

TEST(JsonParser, KeepsUtf8TextAsItsBytes)
{
    // Names and strings beyond ASCII, and bytes that are not UTF-8 at all,
    // pass through unchanged; only AsString decodes.
    const QByteArray text("{\"\xC5\xBC\xC3\xB3\xC5\x82w\": [\"\xC5\x82\\u00F3\", \"\xFF\xFE\"]}");
    TJSONValue value(TJSONKind::Object);
    value.Parse(text);
    const TJSONMember& member = value.AsObject().Item(0);
    EXPECT_EQ(member.name, Text("\xC5\xBC\xC3\xB3\xC5\x82w"));
    const TJSONArray& items = member.value.AsArray();
    EXPECT_EQ(items.Item(0).RawString(), QByteArray("\xC5\x82\\u00F3"));
    EXPECT_EQ(items.Item(0).AsString(), Text("\xC5\x82\\u00F3"));
    EXPECT_EQ(items.Item(1).RawString(), QByteArray("\xFF\xFE"));

    TJSONValue reread(TJSONKind::Object);
    reread.Parse(value.ToUtf8());
    EXPECT_EQ(reread.ToUtf8(), value.ToUtf8());
    EXPECT_EQ(reread.AsObject().Item(0).value.AsArray().Item(1).RawString(),
              QByteArray("\xFF\xFE"));
}

TEST(JsonParser, ReportsErrorsWithTheirLine)
{
    struct Row
    {
        TJSONKind kind;
        const char* text;
        const char* error;
    };
    const Row rows[] = {
        /* 0*/ {TJSONKind::Array, "", "Value not found (1)"},
        /* 1*/ {TJSONKind::Array, " \n \n", "Value not found (3)"},
        /* 2*/ {TJSONKind::Array, "[", "Value not found (1)"},
        /* 3*/ {TJSONKind::String, "\"", "Value not found (1)"},
        /* 4*/ {TJSONKind::Null, "nul", "Value not found (1)"},
        /* 5*/ {TJSONKind::Array, "+1", "Value not found (1)"},
        /* 6*/ {TJSONKind::Array, "5", "Type mismatch (1)"},
        /* 7*/ {TJSONKind::Object, "\n[1]", "Type mismatch (2)"},
        /* 8*/ {TJSONKind::Array, "[1 2]", "Array error (1)"},
        /* 9*/ {TJSONKind::Array, "[\n1,\n2\n3]", "Array error (4)"},
        /*10*/ {TJSONKind::Array, "[1", "Array error (1)"},
        /*11*/ {TJSONKind::Array, "[[", "Array value error (1)"},
        /*12*/ {TJSONKind::Array, "[,1]", "Array value error (1)"},
        /*13*/ {TJSONKind::Array, "[tru]", "Array value error (1)"},
        /*14*/ {TJSONKind::Array, "[1]x", "Ending error (1)"},
        /*15*/ {TJSONKind::Array, "[1]\n\n x", "Ending error (3)"},
        /*16*/ {TJSONKind::Bool, "truex", "Ending error (1)"},
        /*17*/ {TJSONKind::Array, "[1.2.3]", "Number format error (1)"},
        /*18*/ {TJSONKind::Array, "[1e]", "Number format error (1)"},
        /*19*/ {TJSONKind::Array, "[-]", "Number format error (1)"},
        /*20*/ {TJSONKind::Array, "[1-2]", "Number format error (1)"},
        /*21*/ {TJSONKind::Number, "1e99999", "Number format error (1)"},
        /*22*/ {TJSONKind::Object, "{1:2}", "Object member name error (1)"},
        /*23*/ {TJSONKind::Object, "{,}", "Object member name error (1)"},
        /*24*/ {TJSONKind::Object, "{\"", "Object member name error (1)"},
        /*25*/ {TJSONKind::Object, "{\"a", "Object member name ending error (1)"},
        /*26*/ {TJSONKind::Object, "{\"a\\\":1}", "Object member name ending error (1)"},
        /*27*/ {TJSONKind::Object, "{\"a\" 1}", "Colon error (1)"},
        /*28*/ {TJSONKind::Object, "{\"a\":}", "Object member value error (1)"},
        /*29*/ {TJSONKind::Object, "{\"a\":1 \"b\":2}", "Object error (1)"},
        /*30*/ {TJSONKind::Object, "{\"a\":\"x\ny\"\n z}", "Object error (2)"},
        /*31*/ {TJSONKind::Array, "[\"abc", "String ending error (1)"},
        /*32*/ {TJSONKind::String, "\"abc\\\"", "String ending error (1)"},
        /*33*/ {TJSONKind::Array, "[\n3,\"", "Array value error (2)"},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(ParseError(rows[i].kind, QByteArray(rows[i].text)), Text(rows[i].error))
            << "row " << i;
    }
}

TEST(JsonParser, StartsEmptyAndKeepsWhatWasReadBeforeAnError)
{
    TJSONValue value;
    value.Parse(Text("[1,2,3]"));
    value.Parse(Text("[7]"));
    ASSERT_EQ(value.AsArray().Count(), 1);
    EXPECT_EQ(value.AsArray().Item(0).AsNumber(), 7);

    EXPECT_THROW(value.Parse(Text("[4,[5,6 x")), TJSONError);
    const TJSONArray& array = value.AsArray();
    ASSERT_EQ(array.Count(), 2);
    EXPECT_EQ(array.Item(0).AsNumber(), 4);
    EXPECT_EQ(array.Item(1).AsArray().Count(), 2);
}

QByteArray Nested(const char* open, qsizetype depth, const char* close)
{
    QByteArray text;
    for (qsizetype i = 0; i < depth; ++i)
        text += open;
    text += '1';
    for (qsizetype i = 0; i < depth; ++i)
        text += close;
    return text;
}

TEST(JsonParser, LimitsNestingDepth)
{
    struct Row
    {
        TJSONKind kind;
        const char* open;
        const char* close;
        qsizetype depth;
        const char* error;
    };
    const Row rows[] = {
        /* 0*/ {TJSONKind::Array, "[", "]", 512, ""},
        /* 1*/ {TJSONKind::Array, "[", "]", 513, "Nesting depth error (1)"},
        /* 2*/ {TJSONKind::Object, "{\"a\":", "}", 512, ""},
        /* 3*/ {TJSONKind::Object, "{\"a\":", "}", 513, "Nesting depth error (1)"},
        /* 4*/ {TJSONKind::Array, "[", "", 1000000, "Nesting depth error (1)"},
        /* 5*/ {TJSONKind::Object, "{\"a\":", "", 1000000, "Nesting depth error (1)"},
        /* 6*/ {TJSONKind::Array, "[{\"a\":", "}]", 256, ""},
        /* 7*/ {TJSONKind::Array, "[{\"a\":", "}]", 257, "Nesting depth error (1)"},
        /* 8*/ {TJSONKind::Array, "\n[", "]", 513, "Nesting depth error (514)"},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const Row& row = rows[i];
        EXPECT_EQ(ParseError(row.kind, Nested(row.open, row.depth, row.close)), Text(row.error))
            << "row " << i;
    }
}

} // namespace
