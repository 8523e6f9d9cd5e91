#include "cli_run.h"
#include "client/ansi_code_page.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class CliTest : public testing::Test
{
protected:
    void TearDown() override { SelectAnsiCodePage(kDefaultAnsiCodePage); }

    CliRun Cli(const QStringList& arguments, const QByteArray& input = QByteArray())
    {
        return RunInProcess(arguments, m_dir.path(), input);
    }

    QString Write(const QString& name, const QByteArray& content)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path;
    }

    QTemporaryDir m_dir;
};

TEST_F(CliTest, IniCommandsReadThroughIncludesAndMacros)
{
    Write(S("kat.ini"), "[KATALOG1]\nnazwa=Filia 1\nport=8001\n");
    const QString ini = Write(S("czytelnia.ini"), "[GLOBAL]\nDANE=%INI%dane/\n"
                                                  "[PLIK K2|%INI%kat.ini]\n"
                                                  "[WYPOŻYCZALNIA]\nip=10.0.0.1\nport=abc\n");
    const QString folder = m_dir.path() + QLatin1Char('/');

    /* 0*/ EXPECT_EQ(Cli({S("ini"), S("get"), ini, S("WYPOŻYCZALNIA"), S("ip")}).out, "10.0.0.1\n");
    /* 1*/ EXPECT_EQ(Cli({S("ini"), S("get"), ini, S("K2KATALOG1"), S("nazwa")}).out, "Filia 1\n");
    /* 2*/ EXPECT_EQ(Cli({S("ini"), S("get"), ini, S("X"), S("y"), S("brak")}).out, "brak\n");
    /* 3*/ EXPECT_EQ(Cli({S("ini"), S("int"), ini, S("K2KATALOG1"), S("port"), S("0")}).out,
                     "8001\n");
    /* 4*/ EXPECT_EQ(Cli({S("ini"), S("int"), ini, S("WYPOŻYCZALNIA"), S("port"), S("-7")}).out,
                     "-7\n");
    /* 5*/ EXPECT_EQ(Cli({S("ini"), S("sections"), ini}).out,
                     "GLOBAL\nK2KATALOG1\nWYPOŻYCZALNIA\n");
    /* 6*/ EXPECT_EQ(Cli({S("ini"), S("section-values"), ini, S("K2KATALOG1")}).out,
                     "nazwa=Filia 1\nport=8001\n");
    /* 7*/ EXPECT_EQ(Cli({S("ini"), S("expand"), ini, S("%DANE%x.txt")}).out,
                     (folder + S("dane/x.txt\n")).toUtf8());
}

TEST_F(CliTest, IniMatchPrintsOneOrZero)
{
    EXPECT_EQ(Cli({S("ini"), S("match"), S("KATALOG12"), S("KATALOG*")}).out, "1\n");
    EXPECT_EQ(Cli({S("ini"), S("match"), S("katalog12"), S("KATALOG*")}).out, "0\n");
}

TEST_F(CliTest, IniFailuresGoToTheErrorStream)
{
    const QString ini = Write(S("a.ini"), "[A]\nb=1\n");
    const CliRun missing = Cli({S("ini"), S("get"), m_dir.filePath(S("none.ini")), S("A"), S("b")});
    EXPECT_EQ(missing.rc, 1);
    EXPECT_TRUE(missing.out.isEmpty());
    EXPECT_EQ(
        missing.err,
        (S("Cannot read the file ") + m_dir.filePath(S("none.ini")) + QLatin1Char('\n')).toUtf8());

    const CliRun badDefault = Cli({S("ini"), S("int"), ini, S("A"), S("b"), S("x")});
    EXPECT_EQ(badDefault.rc, 1);
    EXPECT_EQ(badDefault.err, "DEFAULT must be an integer: x\n");

    const CliRun badUsage = Cli({S("ini"), S("get"), ini});
    EXPECT_EQ(badUsage.rc, 1);
    EXPECT_TRUE(badUsage.err.startsWith("Usage: czytelnia-cli ini get"));
}

TEST_F(CliTest, BraceCommandsPrintPartsOnTheirOwnLines)
{
    EXPECT_EQ(Cli({S("brace"), S("take"), S("b")}, "x{a=1}y{b=2}z\n").out, "2\n{a=1}xyz\n");
    EXPECT_EQ(Cli({S("brace"), S("next")}, "{x=a=b}{c}\r\n").out, "x\na=b\n{c}\n");
    EXPECT_EQ(Cli({S("brace"), S("next")}, "").out, "\n\n\n");
}

TEST_F(CliTest, BraceJsonKeepsLineBreaksApart)
{
    EXPECT_EQ(Cli({S("brace"), S("next"), S("--json")}, "{a=\"1\"\n2}\\").out,
              "{\"name\":\"a\",\"value\":\"\\\"1\\\"\\n2\",\"rest\":\"\\\\\"}\n");
    EXPECT_EQ(Cli({S("brace"), S("take"), S("zż"), S("--json")}, "{zż=ą}").out,
              "{\"name\":\"zż\",\"value\":\"ą\",\"rest\":\"\"}\n");
}

TEST_F(CliTest, JsonParseLaysOutOrReportsTheModelsError)
{
    const CliRun ok = Cli({S("json"), S("parse")}, "[1,\"a\\\"b\",]");
    EXPECT_EQ(ok.rc, 0);
    EXPECT_EQ(ok.out, "[\r\n  1,\r\n  \"a\\\"b\"\r\n]\r\n");

    const CliRun number = Cli({S("json"), S("parse"), S("--as"), S("number")}, " 2.50 ");
    EXPECT_EQ(number.out, "2.5\r\n");

    const CliRun error = Cli({S("json"), S("parse")}, "[1 2]");
    EXPECT_EQ(error.rc, 1);
    EXPECT_TRUE(error.out.isEmpty());
    EXPECT_EQ(error.err, "Array error (1)\n");

    const CliRun mismatch = Cli({S("json"), S("parse"), S("--as"), S("object")}, "\n\n[]");
    EXPECT_EQ(mismatch.err, "Type mismatch (3)\n");

    EXPECT_EQ(Cli({S("json"), S("parse"), S("--as"), S("list")}).rc, 1);
}

TEST_F(CliTest, CodecsConvertBytes)
{
    EXPECT_EQ(Cli({S("codec"), S("encode-ansi")}, "łŻЖ").out, QByteArray("\xB3\xAF\x1BU0416\x1A"));
    EXPECT_EQ(Cli({S("codec"), S("decode-ansi")}, "\xB3\x1BU0416\x1A").out, "łЖ");
    EXPECT_EQ(Cli({S("codec"), S("encode-utf8")}, "€").out, "\xE2\x82\xAC");
    EXPECT_EQ(Cli({S("codec"), S("decode-utf8")}, "\xC3\xB3").out, "ó");

    const QByteArray scrambled = Cli({S("codec"), S("scramble"), S("XXA")}, "\x01\xBE").out;
    EXPECT_EQ(scrambled, "\x43\x01");
    EXPECT_EQ(Cli({S("codec"), S("unscramble"), S("XXA")}, scrambled).out, "\x01\xBE");
}

TEST_F(CliTest, CodecsFollowTheConfiguredCodePage)
{
    // czytelnia.ini beside the tool is the default configuration file.
    Write(S("czytelnia.ini"), "[SYSTEM]\ncodepage=1252\n");
    EXPECT_EQ(Cli({S("codec"), S("encode-ansi")}, "é").out, "\xE9");

    const QString other = Write(S("inny.ini"), "[SYSTEM]\ncodepage=1250\n");
    EXPECT_EQ(Cli({S("--config"), other, S("codec"), S("encode-ansi")}, "ł").out, "\xB3");

    const QString broken = Write(S("zly.ini"), "[SYSTEM]\ncodepage=932\n");
    const CliRun refused = Cli({S("--config"), broken, S("codec"), S("encode-ansi")}, "ł");
    EXPECT_EQ(refused.rc, 1);
    EXPECT_EQ(refused.err,
              S("Strona kodowa 932 nie jest jednobajtową stroną zgodną z ASCII\n").toUtf8());
}

TEST_F(CliTest, UnknownCommandsShowTheUsage)
{
    const CliRun none = Cli({});
    EXPECT_EQ(none.rc, 1);
    EXPECT_TRUE(none.err.startsWith("Usage: czytelnia-cli"));
    const CliRun unknown = Cli({S("frobnicate")});
    EXPECT_EQ(unknown.rc, 1);
    EXPECT_TRUE(unknown.err.startsWith("Unknown command \"frobnicate\"\nUsage:"));
    const CliRun help = Cli({S("--help")});
    EXPECT_EQ(help.rc, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: czytelnia-cli"));
}

} // namespace
