#pragma once

#include "config/config_text.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <vector>

// The program's INI settings file: "[section]" lines and "key=value" entries,
// names compared without regard to case. Reads work on the file as loaded;
// each write updates one entry on disk and keeps every other line as it was.
class IniFile
{
public:
    // Loads `path`; a missing file reads as empty.
    explicit IniFile(const QString& path);

    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;
    QString ReadString(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
    bool ReadBool(const QString& section, const QString& key, bool defaultValue) const;
    // Section names in file order, each once.
    QStringList ReadSections() const;
    // The keys of a section in file order.
    QStringList ReadSection(const QString& section) const;
    // "key=value" for each entry of a section.
    QStringList ReadSectionValues(const QString& section) const;

    // Each returns an error text, empty on success.
    QString WriteString(const QString& section, const QString& key, const QString& value);
    QString WriteInteger(const QString& section, const QString& key, int value);
    QString WriteBool(const QString& section, const QString& key, bool value);

private:
    struct Entry
    {
        QString key;
        QString value;
        qsizetype line = 0;
        qsizetype valueStart = 0; // where the value begins in its line
    };
    struct Section
    {
        QString name;
        qsizetype lastLine = 0; // the header, or the section's last entry
        std::vector<Entry> entries;
        QHash<QString, qsizetype> entryIndex; // case-folded key -> first entry
    };

    bool Load();
    void Index();
    const Section* FindSection(const QString& section) const;
    const Entry* FindEntry(const QString& section, const QString& key) const;

    QString m_path;
    QStringList m_lines;
    QString m_lineBreak;
    bool m_endsWithBreak = true;
    ConfigEncoding m_encoding = ConfigEncoding::Utf8;
    std::vector<Section> m_sections;
    QHash<QString, qsizetype> m_sectionIndex; // case-folded name -> first section
};

// The first failure of several writes, each made whatever the others did, so
// that one value the file refuses does not cost the rest; empty when all
// succeeded.
QString FirstWriteError(std::initializer_list<QString> errors);
