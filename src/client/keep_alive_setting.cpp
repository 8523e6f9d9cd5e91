#include "client/keep_alive_setting.h"

#include "config/ini_file.h"

#include <atomic>

namespace {

std::atomic<int> g_keepAliveMilliseconds{kDefaultKeepAliveMilliseconds};

} // namespace

int KeepAliveMilliseconds()
{
    return g_keepAliveMilliseconds.load();
}

void SetKeepAliveMilliseconds(int milliseconds)
{
    g_keepAliveMilliseconds.store(milliseconds);
}

void ApplyConfiguredKeepAlive(const IniFile& configuration)
{
    const QString section = QStringLiteral("TCP");
    const int seconds = configuration.ReadInteger(section, QStringLiteral("timeout"), 0);
    if (seconds != 0) {
        SetKeepAliveMilliseconds(seconds * 1000);
        return;
    }
    const int milliseconds = configuration.ReadInteger(section, QStringLiteral("timout"), 0);
    if (milliseconds != 0)
        SetKeepAliveMilliseconds(milliseconds);
}
