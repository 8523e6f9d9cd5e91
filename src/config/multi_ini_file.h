#pragma once

#include "config/ini_file.h"
#include "config/ini_macro.h"
#include "config/long_ini_file.h"

#include <QString>
#include <QStringList>

#include <vector>

// The configuration file together with the long files it includes: each
// section "PLIK [prefix|]path" pulls in a long file whose sections then appear
// under the prefix. Reads ask the plain file first, then the includes.
class TMultiIniFile
{
public:
    explicit TMultiIniFile(const QString& path);

    const IniFile& Plain() const { return m_plain; }
    IniFile& Plain() { return m_plain; }

    QString ReadString(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
    // The plain file's sections, each include section replaced in place by
    // the included sections with their prefix in front.
    QStringList ReadSections() const;
    // Appends the lines of `section`: the plain file's, or else those of the
    // first include that has any.
    void ReadSectionValues(const QString& section, QStringList& values) const;

private:
    struct Include
    {
        QString prefix;
        TLongIniFile file;
    };

    // The include that answers `key` of `section`, with the section name it
    // knows the section by; null when none does.
    const Include* IncludeWith(const QString& section, const QString& key,
                               QString& includeSection) const;

    IniFile m_plain;
    MacroTable m_macros;
    std::vector<Include> m_includes; // in the order of their sections
};
