#include "app/login_window_settings.h"

#include "config/ini_file.h"
#include "config/multi_ini_file.h"

namespace {

const QString kLendingSection = QStringLiteral("WYPOŻYCZALNIA");
const QString kWindowSection = QStringLiteral("OKNOLOGIN");

bool HasLastLoginCatalog(const std::vector<CatalogEntry>& entries, const CurrentCatalog& last)
{
    for (const CatalogEntry& entry : entries) {
        if (entry.node->address == last.address && entry.node->port == last.port)
            return true;
    }
    return false;
}

// The catalog to take when the last login's address is gone from the menu:
// the one with the last port, or the one the operator picks among several.
const CatalogEntry* CatalogWithLastPort(const std::vector<CatalogEntry>& entries, qint32 port,
                                        const CatalogChooser& choose)
{
    std::vector<const CatalogEntry*> samePort;
    QStringList namePaths;
    for (const CatalogEntry& entry : entries) {
        if (entry.node->port == port) {
            samePort.push_back(&entry);
            namePaths.append(entry.namePath);
        }
    }
    if (samePort.size() == 1)
        return samePort.front();
    if (samePort.empty() || !choose)
        return nullptr;
    const int chosen = choose(namePaths);
    if (chosen < 0 || static_cast<size_t>(chosen) >= samePort.size())
        return nullptr;
    return samePort[static_cast<size_t>(chosen)];
}

} // namespace

LoginWindowSettings ReadLoginWindowSettings(const TMultiIniFile& file)
{
    LoginWindowSettings settings;
    CurrentCatalog& current = settings.current;
    current.address = file.ReadString(kLendingSection, QStringLiteral("ip"), QString());
    current.label = file.ReadString(kLendingSection, QStringLiteral("nazwa"), QString());
    current.port = file.ReadInteger(kLendingSection, QStringLiteral("port"), 0);
    current.user = file.ReadString(kLendingSection, QStringLiteral("user"), QString());
    settings.top = file.ReadInteger(kWindowSection, QStringLiteral("gora"), 0);
    settings.left = file.ReadInteger(kWindowSection, QStringLiteral("lewo"), 0);
    CurrentCatalog& last = settings.last;
    last.address = file.ReadString(kLendingSection, QStringLiteral("lastip"), QString());
    last.port = file.ReadInteger(kLendingSection, QStringLiteral("lastport"), 0);
    last.label = file.ReadString(kLendingSection, QStringLiteral("lastname"), QString());
    last.user = file.ReadString(kLendingSection, QStringLiteral("lastuser"), QString());
    return settings;
}

void ChooseStartingCatalog(LoginWindowSettings& settings, const CatalogMenu& menu,
                           const CatalogChooser& choose)
{
    CurrentCatalog& current = settings.current;
    const CurrentCatalog& last = settings.last;
    const std::vector<CatalogEntry> entries = CatalogEntries(menu);
    if (HasLastLoginCatalog(entries, last)) {
        current = last;
    } else if (const CatalogEntry* taken = CatalogWithLastPort(entries, last.port, choose)) {
        // The server kept its port but moved to another address.
        current.address = taken->node->address;
        current.label = taken->namePath;
        current.port = taken->node->port;
        current.user = taken->node->user;
    }
    if (current.label.isEmpty())
        current.label = AddressLabel(current.address, current.port);
}

QString AddressLabel(const QString& address, qint32 port)
{
    return address + QLatin1Char(':') + QString::number(port);
}

QString CatalogConfigurationError(const CurrentCatalog& catalog)
{
    if (catalog.address.isEmpty() || catalog.port == 0)
        return QStringLiteral("Błąd konfiguracji katalogu!");
    return QString();
}

QString WriteLoginWindowSettings(IniFile& file, const LoginWindowSettings& settings)
{
    const CurrentCatalog& last = settings.last;
    return FirstWriteError({
        file.WriteString(kLendingSection, QStringLiteral("lastip"), last.address),
        file.WriteInteger(kLendingSection, QStringLiteral("lastport"), last.port),
        file.WriteString(kLendingSection, QStringLiteral("lastname"), last.label),
        file.WriteString(kLendingSection, QStringLiteral("lastuser"), last.user),
        file.WriteInteger(kWindowSection, QStringLiteral("gora"), settings.top),
        file.WriteInteger(kWindowSection, QStringLiteral("lewo"), settings.left),
    });
}
