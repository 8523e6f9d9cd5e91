#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class TMultiIniFile;

// The catalogs (library servers) an installation offers at login, built from
// the configuration's "KATALOG..." sections and grouped by "GRUPA..."
// sections, includes counted. A group section GRUPA1 holds the catalog and
// group sections that follow it and carry its suffix (KATALOG1a, GRUPA1b);
// the first one that does not closes the group.

struct CatalogMenuNode
{
    bool group = false;
    QString caption; // "nazwa", default "Bez nazwy"
    // A catalog's server and default user.
    QString address;                       // "ip", default "127.0.0.1"
    qint32 port = 0;                       // "port", default 8000 (also when not a number)
    QString user;                          // "user", default empty
    std::vector<CatalogMenuNode> children; // a group's items, in menu order
};

using CatalogMenu = std::vector<CatalogMenuNode>;

CatalogMenu BuildCatalogMenu(const TMultiIniFile& file);

// A catalog's name with the groups it sits in: the caption (its first "&"
// removed) and, when there are groups, " [" + the group captions, outermost
// first, joined with ". " + "]". `ancestors` are the captions of the groups
// around it, nearest first; empty captions are skipped.
QString NamePath(const QString& caption, const QStringList& ancestors);

// Every catalog of the menu, depth first in menu order, with its NamePath.
struct CatalogEntry
{
    const CatalogMenuNode* node = nullptr;
    QString namePath;
};
std::vector<CatalogEntry> CatalogEntries(const CatalogMenu& menu);
