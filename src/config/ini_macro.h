#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

class IniFile;

// Names written between percent signs in configuration values: "INI" is the
// configuration's folder, the keys of section "GLOBAL" are the administrator's
// own names, and any other name is taken from the environment.
class MacroTable
{
public:
    // "INI" = `configFolder` (given with its trailing "/"), then each key of
    // "GLOBAL" in file order, its value expanded with the names before it.
    static MacroTable Build(const IniFile& file, const QString& configFolder);

    // Results are cut at 32767 characters, the longest path either platform
    // accepts, so definitions that double each other cannot exhaust memory.
    QString Expand(const QString& text) const;

private:
    void AddName(const QString& name);
    QString Lookup(QStringView name) const;

    QStringList m_values;                 // one per name once the table is built
    QHash<QString, qsizetype> m_position; // case-folded name -> first position
    qsizetype m_nameCount = 0;
};
