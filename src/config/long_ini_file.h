#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

// One section of a long file: its keys and, in parallel, the whole lines they
// came from. Keys are kept exactly as written, blanks before "=" included.
class TLongSection
{
public:
    void Add(const QString& key, const QString& line);
    // The first entry with `key` (compared without regard to case), or -1.
    qsizetype IndexOf(const QString& key) const;
    // The text of entry `index` after its key and "=".
    QString Value(qsizetype index) const;
    const QStringList& Lines() const { return m_lines; }

private:
    QStringList m_keys;
    QStringList m_lines;
    QHash<QString, qsizetype> m_index; // case-folded key -> first entry
};

// A settings file whose values may be of any length, read once as a whole:
// "[name]" lines open sections, "key=value" lines are entries, "#" lines are
// comments. Used for the catalog lists that the main file includes.
class TLongIniFile
{
public:
    // A missing or unreadable file gives an empty object.
    explicit TLongIniFile(const QString& path);

    QStringList ReadSections() const { return m_names; }
    // Appends the whole lines of `section` to `values`.
    void ReadSectionValues(const QString& section, QStringList& values) const;
    bool ValueExists(const QString& section, const QString& key) const;
    // `defaultValue` also when the value is empty.
    QString ReadString(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;

private:
    const TLongSection* FindSection(const QString& section) const;

    QStringList m_names;
    std::vector<TLongSection> m_sections;
    QHash<QString, qsizetype> m_index; // case-folded name -> first section
};
