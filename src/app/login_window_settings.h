#pragma once

#include "app/catalog_menu.h"

#include <QString>

#include <functional>

class IniFile;
class TMultiIniFile;

// What the login window starts with and remembers: the catalog it connects
// to, the last successful login, and where the window stands.

// The catalog the login window connects to.
struct CurrentCatalog
{
    QString address;
    qint32 port = 0;
    QString label; // shown in the window
    QString user;  // put into the user field
};

struct LoginWindowSettings
{
    CurrentCatalog current; // "WYPOŻYCZALNIA" "ip", "port", "nazwa", "user"
    int top = 0;            // "OKNOLOGIN" "gora"
    int left = 0;           // "OKNOLOGIN" "lewo"
    // The last successful login: "lastip", "lastport", "lastname", "lastuser".
    CurrentCatalog last;
};

LoginWindowSettings ReadLoginWindowSettings(const TMultiIniFile& file);

// Picks the catalog the window starts with. The last login's catalog when the
// menu still has its address and port; otherwise, when the address changed,
// the one catalog with the last port, or the one `choose` picks among several
// (it gets their NamePaths and returns an index or -1). An empty label
// becomes address + ":" + port.
using CatalogChooser = std::function<int(const QStringList& namePaths)>;
void ChooseStartingCatalog(LoginWindowSettings& settings, const CatalogMenu& menu,
                           const CatalogChooser& choose);

// How a catalog without a label is named: address + ":" + port.
QString AddressLabel(const QString& address, qint32 port);

// "Błąd konfiguracji katalogu!" when the catalog has no address or no port,
// else empty.
QString CatalogConfigurationError(const CurrentCatalog& catalog);

// Writes the last login and the window's position; returns an error text,
// empty on success.
QString WriteLoginWindowSettings(IniFile& file, const LoginWindowSettings& settings);
