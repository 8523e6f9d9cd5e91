#include "app/autologin_file.h"

#include "client/ansi_code_page.h"
#include "client/ansi_codec.h"
#include "client/scramble.h"

#include "../config/config_test_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Sets an environment variable for one test and puts it back afterwards.
class EnvironmentGuard
{
public:
    explicit EnvironmentGuard(const char* name)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {}
    ~EnvironmentGuard()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    void Set(const QString& value) const { qputenv(m_name, value.toUtf8()); }
    void Unset() const { qunsetenv(m_name); }

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

unsigned Mode(const QString& path)
{
    struct stat info;
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

QByteArray Scrambled(const QString& password)
{
    return ScrambleText(QByteArray(kRegistryPasswordKey), EncodeAnsi(password));
}

class AutoLoginFileTest : public ::testing::Test
{
protected:
    // The stored password depends on the code page; these tests expect the
    // default one.
    void SetUp() override { ASSERT_EQ(SelectAnsiCodePage(kDefaultAnsiCodePage), QString()); }

    QString FilePath(const char* relative) const
    {
        return QDir(m_dir.path()).filePath(QString::fromUtf8(relative));
    }

    QTemporaryDir m_dir;
};

TEST_F(AutoLoginFileTest, ValuesComeBackAsWritten)
{
    // Scrambled, "˝ś" is a line feed and a carriage return.
    ASSERT_EQ(Scrambled(U("˝ś")), QByteArray("\n\r"));
    // Scrambled, this one looks like an escape run of the 8-bit codec.
    const QString escapeLike = DecodeAnsi(QByteArray("\xCE\xE4"
                                                     "0041\xCD"));
    const QByteArray escapeScrambled = Scrambled(escapeLike);
    ASSERT_TRUE(escapeScrambled.startsWith("\x1BU") && escapeScrambled.endsWith('\x1A'));
    const struct
    {
        const char* ip;
        qint32 port;
        const char* user;
        QString password;
    } rows[] = {
        /* 0*/ {"127.0.0.1", 8000, "demo", U("demo")},
        /* 1*/ {"https://nura.example/api", 443, "Żaneta", U("Zażółć gęślą jaźń")},
        /* 2*/ {"10.0.0.1", 1, "", U("")},
        /* 3*/ {"10.0.0.1", 65535, "x", U("˝ś-ą\\x41")},
        /* 4*/ {"10.0.0.1", 6000, "x", escapeLike},
        // Outside the code page: the codec's escape runs are scrambled too.
        /* 5*/ {"10.0.0.1", 6000, "x", U("пароль")},
        // What the settings reader would trim or unquote.
        /* 6*/ {" host ", 6000, "\"jan\"", U(" 'tajne' ")},
        /* 7*/ {"h", 6000, "'", U("\"")},
    };
    const QString path = FilePath("autologin.ini");
    for (size_t i = 0; i < std::size(rows); ++i) {
        const AutoLogin written{U(rows[i].ip), rows[i].port, U(rows[i].user), rows[i].password};
        ASSERT_EQ(WriteAutoLogin(path, written), QString()) << i;
        // No value spills over into further lines.
        EXPECT_EQ(ReadBytes(path).count('\n'), 5) << i;
        AutoLogin read;
        QString error;
        ASSERT_EQ(ReadAutoLogin(path, read, error), AutoLoginRead::Read)
            << i << error.toStdString();
        EXPECT_EQ(read.ip, written.ip) << i;
        EXPECT_EQ(read.port, written.port) << i;
        EXPECT_EQ(read.user, written.user) << i;
        EXPECT_EQ(read.password, written.password) << i;
    }
}

TEST_F(AutoLoginFileTest, TheFileKeepsThePasswordScrambled)
{
    const QString path = FilePath("autologin.ini");
    ASSERT_EQ(WriteAutoLogin(path, {U("10.0.0.1"), 8000, U("anna"), U("˝ąb")}), QString());
    // "˝ąb" scrambles to 0x0A 0x2A 0xD5: the line feed is escaped, the rest
    // are the code page's characters "*" and "Ő".
    EXPECT_EQ(ReadBytes(path), QByteArray("[Zelvoran]\nip=10.0.0.1\nport=8000\nuser=anna\n"
                                          "pwd=\\x0A*\xC5\x90\n"));
}

TEST_F(AutoLoginFileTest, OnlyTheOwnerCanReadTheFileAndItsNewFolders)
{
    const QString path = FilePath("a/b/Zelvoran/autologin.ini");
    ASSERT_EQ(WriteAutoLogin(path, {U("h"), 8000, U("u"), U("p")}), QString());
    EXPECT_EQ(Mode(path), 0600u);
    EXPECT_EQ(Mode(FilePath("a")), 0700u);
    EXPECT_EQ(Mode(FilePath("a/b/Zelvoran")), 0700u);
    // Nothing is left behind beside it.
    EXPECT_EQ(QDir(FilePath("a/b/Zelvoran")).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("autologin.ini")});

    // A file that others could read is replaced by one they cannot.
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ReadOther));
    ASSERT_EQ(WriteAutoLogin(path, {U("h"), 8001, U("u"), U("p")}), QString());
    EXPECT_EQ(Mode(path), 0600u);
}

TEST_F(AutoLoginFileTest, WritesThatCannotBeDoneSayWhy)
{
    const QString path = FilePath("autologin.ini");
    EXPECT_EQ(WriteAutoLogin(path, {U("h"), 0, U("u"), U("p")}),
              U("Automatyczne logowanie: numer portu musi być liczbą od 1 do 65535 (\"0\")"));
    EXPECT_FALSE(QFile::exists(path));

    ASSERT_TRUE(WriteBytes(FilePath("plik"), "x"));
    EXPECT_EQ(WriteAutoLogin(FilePath("plik/Zelvoran/autologin.ini"), {U("h"), 1, U("u"), U("p")}),
              U("Automatyczne logowanie: nie można utworzyć folderu \"") +
                  FilePath("plik/Zelvoran") + U("\""));

    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("katalog")));
    EXPECT_EQ(WriteAutoLogin(FilePath("katalog"), {U("h"), 1, U("u"), U("p")}),
              U("Automatyczne logowanie: nie można zapisać pliku \"") + FilePath("katalog") +
                  U("\""));
}

TEST_F(AutoLoginFileTest, FilesThatCannotBeUsedAreBroken)
{
    const QString path = FilePath("autologin.ini");
    const QString in = U("Automatyczne logowanie: w pliku \"") + path + U("\" ");
    const struct
    {
        const char* content;
        QString error;
    } rows[] = {
        /* 0*/ {"", in + U("brak wartości \"port\"")},
        /* 1*/ {"[Zelvoran]\nip=h\nuser=u\n", in + U("brak wartości \"port\"")},
        /* 2*/ {"[Inna]\nport=8000\n", in + U("brak wartości \"port\"")},
        /* 3*/
        {"[Zelvoran]\nport=abc\n", in + U("wartość \"port\" nie jest numerem portu (\"abc\")")},
        /* 4*/ {"[Zelvoran]\nport=\n", in + U("wartość \"port\" nie jest numerem portu (\"\")")},
        /* 5*/ {"[Zelvoran]\nport=0\n", in + U("wartość \"port\" nie jest numerem portu (\"0\")")},
        /* 6*/
        {"[Zelvoran]\nport=65536\n", in + U("wartość \"port\" nie jest numerem portu (\"65536\")")},
        /* 7*/ {"[Zelvoran]\nport=80\npwd=ж\n", in + U("wartość \"pwd\" jest uszkodzona")},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        ASSERT_TRUE(WriteBytes(path, rows[i].content)) << i;
        AutoLogin values{U("keep"), 1, U("keep"), U("keep")};
        QString error;
        EXPECT_EQ(ReadAutoLogin(path, values, error), AutoLoginRead::Broken) << i;
        EXPECT_EQ(error, rows[i].error) << i;
        EXPECT_EQ(values.ip, U("keep")) << i;
    }

    // A folder where the file should be, and a file its owner cannot read.
    const QString unreadable =
        U("Automatyczne logowanie: nie można odczytać pliku \"") + path + U("\"");
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::WriteOwner));
    AutoLogin values;
    QString error;
    if (::geteuid() != 0) {
        EXPECT_EQ(ReadAutoLogin(path, values, error), AutoLoginRead::Broken);
        EXPECT_EQ(error, unreadable);
    }
    ASSERT_TRUE(QFile::remove(path) && QDir(m_dir.path()).mkdir(QStringLiteral("autologin.ini")));
    EXPECT_EQ(ReadAutoLogin(path, values, error), AutoLoginRead::Broken);
    EXPECT_EQ(error, unreadable);
}

TEST_F(AutoLoginFileTest, HandWrittenFilesAreRead)
{
    const QString path = FilePath("autologin.ini");
    ASSERT_TRUE(WriteBytes(path, "; written by hand\n[zelvoran]\nIP = 10.0.0.7\nPORT= 8080 \n"
                                 "user=C:\\jan\\x4\n"));
    AutoLogin values;
    QString error;
    ASSERT_EQ(ReadAutoLogin(path, values, error), AutoLoginRead::Read);
    EXPECT_EQ(error, QString());
    EXPECT_EQ(values.ip, U("10.0.0.7"));
    EXPECT_EQ(values.port, 8080);
    // A backslash that starts no escape is itself.
    EXPECT_EQ(values.user, U("C:\\jan\\x4"));
    EXPECT_EQ(values.password, QString());
}

TEST_F(AutoLoginFileTest, ClearedFilesAreAbsent)
{
    const QString path = FilePath("autologin.ini");
    ASSERT_EQ(WriteAutoLogin(path, {U("h"), 8000, U("u"), U("p")}), QString());
    EXPECT_EQ(ClearAutoLogin(path), QString());
    EXPECT_EQ(ClearAutoLogin(path), QString());
    AutoLogin values{U("keep"), 1, U("keep"), U("keep")};
    QString error = U("old");
    EXPECT_EQ(ReadAutoLogin(path, values, error), AutoLoginRead::Absent);
    EXPECT_EQ(error, QString());
    EXPECT_EQ(values.ip, U("keep"));

    ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("pelny/autologin.ini/x")));
    const QString folder = FilePath("pelny/autologin.ini");
    EXPECT_EQ(ClearAutoLogin(folder),
              U("Automatyczne logowanie: nie można usunąć pliku \"") + folder + U("\""));
}

TEST(AutoLoginFilePath, FollowsTheUsersConfigurationFolder)
{
    const EnvironmentGuard config("XDG_CONFIG_HOME");
    const EnvironmentGuard home("HOME");
    home.Set(U("/home/ewa"));
    const struct
    {
        const char* configHome; // nullptr: not set
        const char* path;
    } rows[] = {
        /* 0*/ {"/tmp/conf", "/tmp/conf/Zelvoran/autologin.ini"},
        /* 1*/ {"/tmp/conf/", "/tmp/conf/Zelvoran/autologin.ini"},
        /* 2*/ {"", "/home/ewa/.config/Zelvoran/autologin.ini"},
        /* 3*/ {nullptr, "/home/ewa/.config/Zelvoran/autologin.ini"},
        // A relative folder is no place for a user's settings.
        /* 4*/ {"conf", "/home/ewa/.config/Zelvoran/autologin.ini"},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        if (rows[i].configHome)
            config.Set(U(rows[i].configHome));
        else
            config.Unset();
        EXPECT_EQ(AutoLoginFilePath(), U(rows[i].path)) << i;
    }
}

} // namespace
