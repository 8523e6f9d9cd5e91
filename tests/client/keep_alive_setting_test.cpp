#include "client/keep_alive_setting.h"

#include "config/ini_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(KeepAliveSetting, SecondsWinOverMillisecondsOverTheDefault)
{
    struct Row
    {
        const char* ini;
        int milliseconds;
    } rows[] = {
        /* 0*/ {"[TCP]\ntimeout=30\ntimout=5000\n", 30000},
        /* 1*/ {"[TCP]\ntimeout=0\ntimout=5000\n", 5000},
        /* 2*/ {"[TCP]\ntimeout=0\ntimout=0\n", kDefaultKeepAliveMilliseconds},
        /* 3*/ {"[tcp]\nTIMOUT=700\n", 700},
        /* 4*/ {"", kDefaultKeepAliveMilliseconds},
    };
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("czytelnia.ini"));
    for (const Row& row : rows) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(row.ini);
        file.close();
        SetKeepAliveMilliseconds(kDefaultKeepAliveMilliseconds);
        ApplyConfiguredKeepAlive(IniFile(path));
        EXPECT_EQ(KeepAliveMilliseconds(), row.milliseconds) << row.ini;
    }
    SetKeepAliveMilliseconds(kDefaultKeepAliveMilliseconds);
}

} // namespace
