// czytelnia-cli call against a running simulator: results on standard
// output, errors on the error stream with exit code 1.
#include "cli_run.h"
#include "client/connection_trace.h"
#include "sim_server.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class CliCallTest : public testing::Test
{
protected:
    CliRun Call(const QStringList& words, bool logIn = true)
    {
        QStringList arguments{S("call"), S("--address"), S("127.0.0.1"), S("--port"),
                              QString::number(m_sim.Port())};
        if (logIn)
            arguments += {S("--user"), S("demo"),      S("--password"),
                          S("demo"),   S("--service"), S("czytelnia")};
        return Run(arguments + words);
    }

    CliRun Run(const QStringList& arguments) { return RunInProcess(arguments, m_folder.path()); }

    SimServer m_sim;
    QTemporaryDir m_folder;
};

TEST_F(CliCallTest, PrintsEachResultShape)
{
    ASSERT_TRUE(m_sim.Running());
    struct Row
    {
        std::vector<const char*> words;
        const char* out;
    } rows[] = {
        /* 0*/ {{"Registry", "CZO", "4"}, "0\n"},
        /* 1*/ {{"GetRegistry", "CZO"}, "2\nCZO\n4\n"},
        /* 2*/ {{"GetStatus"}, "2\nSerwer pracuje\nPołączeń: 1\n"},
        /* 3*/ {{"Ping", "zażółć"}, "\n"},
        /* 4*/ {{"FileQuery", "regulamin.txt"}, nullptr}, // a size, whatever it is
        /* 5*/ {{"DeletingDefaultsEx", "a", "b"}, "\nfalse\n0\n0\nb\n\n"},
        /* 6*/ {{"IsUtf8"}, "true\n"},
    };
    for (const Row& row : rows) {
        const CliRun run = Call(Words(row.words));
        EXPECT_EQ(run.rc, 0) << row.words[0] << run.err.toStdString();
        if (row.out != nullptr) {
            EXPECT_EQ(run.out, QByteArray(row.out)) << row.words[0];
        }
    }
}

TEST_F(CliCallTest, TransfersFilesAndSaysWhetherTheyArrived)
{
    ASSERT_TRUE(m_sim.Running());
    // A report file of the server's goes over byte for byte.
    const QByteArray original("[REPORT 100]\n[LINE 10]\nTEXT &a 0 0\n[END]\n&a=\xB9\xEA\n");
    ASSERT_TRUE(m_sim.PutDataFile(S("reports/5.txt"), original));
    const QString target = m_folder.filePath(S("report.tmp"));
    const CliRun run = Call({S("ReportProcedure"), S("5"), S("FILTR|D|"), target});
    EXPECT_EQ(run.rc, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "true\n");
    QFile report(target);
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    EXPECT_EQ(report.readAll(), original);

    const CliRun missing = Call({S("ReportProcedure"), S("999"), S("||"), target});
    EXPECT_EQ(missing.rc, 1);
    EXPECT_EQ(missing.out, "false\n");
}

TEST_F(CliCallTest, FailuresGoToTheErrorStream)
{
    ASSERT_TRUE(m_sim.Running());
    struct Row
    {
        std::vector<const char*> words;
        const char* err;
    } rows[] = {
        /* 0*/ {{"--password", "zle", "GetRegistry", "CZO"}, "Błędne hasło\n"},
        /* 1*/ {{"GetEntry", "x", "1", "a", "2"}, "GetEntry: argument i1 does not fit: \"x\"\n"},
        /* 2*/ {{"GetEntry", "1"}, "GetEntry takes 4 argument(s): i1 i2 s1 i3\n"},
        /* 3*/ {{"ScontrumMark", "256", "a"}, "ScontrumMark: argument b1 does not fit: \"256\"\n"},
    };
    for (const Row& row : rows) {
        // A second --password overrides the right one given by Call.
        const CliRun run = Call(Words(row.words));
        EXPECT_EQ(run.rc, 1) << row.words[0];
        EXPECT_EQ(run.err, QByteArray(row.err)) << row.words[0];
        EXPECT_TRUE(run.out.isEmpty()) << row.words[0];
    }
    const CliRun unknown = Call({S("NoSuchOperation")});
    EXPECT_EQ(unknown.rc, 1);
    EXPECT_TRUE(unknown.err.contains("GetRegistry s1\n")) << "the usage lists the operations";

    const CliRun refused =
        Run({S("call"), S("--address"), S("127.0.0.1"), S("--port"), S("1"), S("Ping"), S("x")});
    EXPECT_EQ(refused.rc, 1);
    EXPECT_EQ(refused.err, S("Brak połączenia z serwerem 127.0.0.1/1\n").toUtf8());
}

TEST_F(CliCallTest, TraceRecordsTheConversation)
{
    ASSERT_TRUE(m_sim.Running());
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_folder.path()));
    const CliRun run = Run({S("--trace"), S("call"), S("--address"), S("127.0.0.1"), S("--port"),
                            QString::number(m_sim.Port()), S("Ping"), S("x")});
    SetTraceEnabled(false);
    QDir::setCurrent(previous);
    EXPECT_EQ(run.rc, 0) << run.err.toStdString();
    const QStringList logs = QDir(m_folder.path()).entryList({S("log_tcp_*.txt")});
    ASSERT_EQ(logs.size(), 1);
    QFile log(m_folder.filePath(logs[0]));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(log.readAll());
    EXPECT_TRUE(text.contains(S("otwarcie połączenia 127.0.0.1:"))) << text.left(300).toStdString();
    EXPECT_TRUE(text.contains(S("odczytałem Long: x")));
    EXPECT_TRUE(text.contains(S("zamknięcie połączenia 127.0.0.1:")));
}

} // namespace
