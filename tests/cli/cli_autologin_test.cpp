// czytelnia-cli autologin: the file the reading-room program logs in with,
// written, shown and removed under a configuration folder of the test's own.
#include "cli_run.h"

#include "app/autologin_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class CliAutologinTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_hadConfigHome = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        m_oldConfigHome = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        m_file = QDir(m_config.path()).filePath(QStringLiteral("Zelvoran/autologin.ini"));
    }
    void TearDown() override
    {
        if (m_hadConfigHome)
            qputenv("XDG_CONFIG_HOME", m_oldConfigHome);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }

    CliRun Autologin(const std::vector<const char*>& words, const QByteArray& input = {}) const
    {
        return RunInProcess(QStringList{S("autologin")} + Words(words), m_program.path(), input);
    }

    QTemporaryDir m_config;
    QTemporaryDir m_program; // no configuration file: the default code page
    QString m_file;
    bool m_hadConfigHome = false;
    QByteArray m_oldConfigHome;
};

TEST_F(CliAutologinTest, SetShowAndClear)
{
    const QByteArray path = m_file.toUtf8();
    const CliRun set = Autologin(
        {"set", "--user", "Żaneta", "--port", "8000", "--ip", "127.0.0.1", "--password", "Żółw-1"});
    EXPECT_EQ(set.rc, 0) << set.err.toStdString();
    EXPECT_EQ(set.out, path + '\n');
    AutoLogin values;
    QString error;
    ASSERT_EQ(ReadAutoLogin(m_file, values, error), AutoLoginRead::Read);
    EXPECT_EQ(values.password, S("Żółw-1"));

    // The password never shows.
    const CliRun show = Autologin({"show"});
    EXPECT_EQ(show.rc, 0);
    EXPECT_EQ(show.out,
              S("ip\t127.0.0.1\nport\t8000\nuser\tŻaneta\nfile\t").toUtf8() + path + '\n');

    const CliRun clear = Autologin({"clear"});
    EXPECT_EQ(clear.rc, 0);
    EXPECT_EQ(clear.out, path + '\n');
    EXPECT_FALSE(QFile::exists(m_file));

    const CliRun absent = Autologin({"show"});
    EXPECT_EQ(absent.rc, 1);
    EXPECT_EQ(absent.out, QByteArray());
    EXPECT_EQ(absent.err, "Brak pliku automatycznego logowania: " + path + '\n');
}

TEST_F(CliAutologinTest, ThePasswordMayComeFromStandardInput)
{
    const CliRun set =
        Autologin({"set", "--ip", "10.0.0.1", "--port", "6000", "--user", "anna"}, "tajne hasło\n");
    ASSERT_EQ(set.rc, 0) << set.err.toStdString();
    AutoLogin values;
    QString error;
    ASSERT_EQ(ReadAutoLogin(m_file, values, error), AutoLoginRead::Read);
    EXPECT_EQ(values.password, S("tajne hasło"));
    EXPECT_EQ(values.port, 6000);
}

TEST_F(CliAutologinTest, MistakesGoToTheErrorStream)
{
    const QString portError =
        S("Automatyczne logowanie: numer portu musi być liczbą od 1 do 65535 (\"%1\")\n");
    const struct
    {
        std::vector<const char*> words;
        QString err; // empty: the usage text
    } rows[] = {
        /* 0*/ {{"set", "--ip", "h", "--port", "0", "--user", "u", "--password", "p"},
                portError.arg(S("0"))},
        /* 1*/
        {{"set", "--ip", "h", "--port", "x", "--user", "u", "--password", "p"},
         portError.arg(S("x"))},
        /* 2*/ {{"set", "--ip", "h", "--port", "80", "--password", "p"}, QString()},
        /* 3*/ {{"set", "--ip", "h", "--port", "80", "--user", "u", "--extra"}, QString()},
        /* 4*/ {{"show", "more"}, QString()},
        /* 5*/ {{"forget"}, QString()},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const CliRun run = Autologin(rows[i].words);
        EXPECT_EQ(run.rc, 1) << i;
        EXPECT_EQ(run.out, QByteArray()) << i;
        if (rows[i].err.isEmpty())
            EXPECT_TRUE(run.err.startsWith("Usage: czytelnia-cli autologin set")) << i;
        else
            EXPECT_EQ(run.err, rows[i].err.toUtf8()) << i;
        EXPECT_FALSE(QFile::exists(m_file)) << i;
    }
}

TEST_F(CliAutologinTest, ABrokenFileIsReported)
{
    ASSERT_TRUE(QDir(m_config.path()).mkpath(QStringLiteral("Zelvoran")));
    QFile file(m_file);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("[Zelvoran]\nport=abc\n") > 0);
    file.close();
    const CliRun show = Autologin({"show"});
    EXPECT_EQ(show.rc, 1);
    EXPECT_EQ(show.err, S("Automatyczne logowanie: w pliku \"%1\" wartość \"port\" nie jest "
                          "numerem portu (\"abc\")\n")
                            .arg(m_file)
                            .toUtf8());
}

} // namespace
