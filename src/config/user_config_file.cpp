#include "config/user_config_file.h"

#include <QDir>

QString UserConfigFile(const QString& name)
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    // A relative setting means nothing for a per-user file and is ignored.
    if (base.isEmpty() || QDir::isRelativePath(base)) {
        QString home = qEnvironmentVariable("HOME");
        if (home.isEmpty())
            home = QDir::homePath();
        base = home + QStringLiteral("/.config");
    }
    return QDir::cleanPath(base + QStringLiteral("/Zelvoran/") + name);
}
