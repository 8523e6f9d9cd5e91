#include "client/json_value.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace {

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

TEST(JsonValue, WritesNestedValuesOnTheirMembersLine)
{
    TJSONValue value(TJSONKind::Object);
    TJSONObject& object = value.AsObject();
    object.Item(object.Add(TJSONMember(Text("x"), TJSONKind::Number))).value.SetNumber(1);
    TJSONArray& list = object.Item(object.Add(TJSONMember(Text("y")))).value.AsArray();
    list.Item(list.Add(TJSONValue(TJSONKind::Bool))).SetBool(true);

    const QString expected = Text("{\r\n"
                                  "  \"x\": 1,\r\n"
                                  "  \"y\": [\r\n"
                                  "    true\r\n"
                                  "  ]\r\n"
                                  "}\r\n");
    EXPECT_EQ(value.ToText(), expected);
}

TEST(JsonValue, WritesNumbersInGeneralFormat)
{
    const long double inf = std::numeric_limits<long double>::infinity();
    const struct
    {
        long double number;
        const char* written;
    } rows[] = {
        /* 0*/ {0.0L, "0"},
        /* 1*/ {-0.0L, "0"},
        /* 2*/ {-42.0L, "-42"},
        /* 3*/ {999999999999999.0L, "999999999999999"},
        /* 4*/ {-999999999999999.0L, "-999999999999999"},
        /* 5*/ {1e15L, "1E15"},
        /* 6*/ {1e20L, "1E20"},
        /* 7*/ {999999999999999.9L, "1E15"},
        /* 8*/ {123456789012345.6L, "123456789012346"},
        /* 9*/ {0.5L, "0.5"},
        /*10*/ {-1.25L, "-1.25"},
        /*11*/ {123456.789L, "123456.789"},
        /*12*/ {1.0L / 3, "0.333333333333333"},
        /*13*/ {2.0L / 3, "0.666666666666667"},
        /*14*/ {0.1L, "0.1"},
        /*15*/ {0.00001L, "0.00001"},
        /*16*/ {-0.000012345L, "-0.000012345"},
        /*17*/ {0.0000099L, "9.9E-6"},
        /*18*/ {1.5e-6L, "1.5E-6"},
        /*19*/ {1e-300L, "1E-300"},
        /*20*/ {-1.5e300L, "-1.5E300"},
        /*21*/ {1e4000L, "1E4000"},
        /*22*/ {12345678901234567890.0L, "1.23456789012346E19"},
        /*23*/ {12345678901.125L, "12345678901.125"},
        /*24*/ {std::numeric_limits<long double>::quiet_NaN(), "NAN"},
        /*25*/ {inf, "INF"},
        /*26*/ {-inf, "-INF"},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(TJSONValue(rows[i].number).ToText(), Text(rows[i].written) + Text("\r\n"))
            << "row " << i;
    }
}

TEST(JsonValue, AccessorsRefuseOtherKinds)
{
    using Access = std::function<void(TJSONValue&)>;
    const struct
    {
        TJSONKind kind;
        Access access;
        const char* error;
    } accessors[] = {
        /* 0*/ {TJSONKind::String, [](TJSONValue& v) { v.AsString(); }, "Not a string"},
        /* 1*/ {TJSONKind::String, [](TJSONValue& v) { v.SetString(QString()); }, "Not a string"},
        /* 2*/ {TJSONKind::String, [](TJSONValue& v) { v.RawString(); }, "Not a string"},
        /* 3*/ {TJSONKind::String, [](TJSONValue& v) { v.SetRawString("x"); }, "Not a string"},
        /* 4*/ {TJSONKind::Number, [](TJSONValue& v) { v.AsNumber(); }, "Not a number"},
        /* 5*/ {TJSONKind::Number, [](TJSONValue& v) { v.SetNumber(1); }, "Not a number"},
        /* 6*/ {TJSONKind::Object, [](TJSONValue& v) { v.AsObject(); }, "Not an object"},
        /* 7*/ {TJSONKind::Array, [](TJSONValue& v) { v.AsArray(); }, "Not an array"},
        /* 8*/ {TJSONKind::Bool, [](TJSONValue& v) { v.AsBool(); }, "Not a bool"},
        /* 9*/ {TJSONKind::Bool, [](TJSONValue& v) { v.SetBool(true); }, "Not a bool"},
    };
    const TJSONKind kinds[] = {TJSONKind::String, TJSONKind::Number, TJSONKind::Object,
                               TJSONKind::Array,  TJSONKind::Bool,   TJSONKind::Null};
    for (std::size_t a = 0; a < std::size(accessors); ++a) {
        for (const TJSONKind kind : kinds) {
            TJSONValue value(kind);
            QString error;
            try {
                accessors[a].access(value);
            } catch (const TJSONError& e) {
                error = e.Text();
            }
            const char* expected = kind == accessors[a].kind ? "" : accessors[a].error;
            EXPECT_EQ(error, Text(expected))
                << "accessor " << a << ", kind " << static_cast<int>(kind);
        }
    }
}

TEST(JsonValue, StoresStringsAsUtf8)
{
    const QString text = Text("Łódź 📚");
    TJSONValue value(text);
    EXPECT_EQ(value.RawString(), text.toUtf8());
    EXPECT_EQ(value.AsString(), text);
    EXPECT_EQ(value.ToUtf8(), "\"" + text.toUtf8() + "\"\r\n");

    // Raw text is taken as it is: the writer adds no escapes.
    value.SetRawString(QByteArray("a\\u0141\"\xFF"));
    EXPECT_EQ(value.ToUtf8(), QByteArray("\"a\\u0141\"\xFF\"\r\n"));
    EXPECT_EQ(TJSONValue(QByteArray("\\/")).RawString(), QByteArray("\\/"));
    value.SetString(Text("\xC5\x82"));
    EXPECT_EQ(value.RawString(), QByteArray("\xC5\x82"));
}

TEST(JsonValue, FindsTheFirstMemberByExactName)
{
    TJSONObject object;
    object.Add(TJSONMember(Text("status"), TJSONKind::Number));
    object.Add(TJSONMember(Text("data"), TJSONKind::String));
    object.Add(TJSONMember(Text("data"), TJSONKind::Bool));

    EXPECT_EQ(object.Find(Text("data")), &object.Item(1));
    EXPECT_EQ(object.Find(Text("Data")), nullptr);
    EXPECT_EQ(object.Find(Text("dat")), nullptr);
    object.Clear();
    EXPECT_EQ(object.Find(Text("status")), nullptr);
}

TEST(JsonValue, RefusesIndexesOutOfRange)
{
    // A reply may announce more results than it carries.
    TJSONValue reply;
    reply.Parse(Text("[[1,2]]"));
    const TJSONArray& results = reply.AsArray();
    EXPECT_EQ(results.Item(0).AsArray().Item(1).AsNumber(), 2);
    for (const int index : {1, -1}) {
        try {
            results.Item(index);
            ADD_FAILURE() << "no error for " << index;
        } catch (const TJSONError& error) {
            EXPECT_EQ(error.Text(), QStringLiteral("Index out of range (%1)").arg(index));
        }
    }
    EXPECT_THROW(TJSONObject().Item(0), TJSONError);
}

} // namespace
