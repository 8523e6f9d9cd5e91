#include "config/long_ini_file.h"

#include "config/config_integer.h"
#include "config/config_text.h"

void TLongSection::Add(const QString& key, const QString& line)
{
    const QString folded = key.toCaseFolded();
    if (!m_index.contains(folded))
        m_index.insert(folded, m_keys.size());
    m_keys.append(key);
    m_lines.append(line);
}

qsizetype TLongSection::IndexOf(const QString& key) const
{
    return m_index.value(key.toCaseFolded(), -1);
}

QString TLongSection::Value(qsizetype index) const
{
    return m_lines[index].mid(m_keys[index].size() + 1);
}

TLongIniFile::TLongIniFile(const QString& path)
{
    ConfigText content;
    ReadConfigText(path, content); // what could be read is kept, failures stay silent
    const QStringList lines = SplitConfigLines(content.text).lines;
    TLongSection* current = nullptr;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QStringView line = TrimBlanks(lines[i]);
        if (line.size() >= 2 && line.front() == QLatin1Char('[') &&
            line.back() == QLatin1Char(']')) {
            // A header on the very last line is never listed: the file has
            // ended before the section could begin.
            if (i + 1 == lines.size())
                break;
            const QString name = line.mid(1, line.size() - 2).toString();
            const QString folded = name.toCaseFolded();
            if (!m_index.contains(folded))
                m_index.insert(folded, m_names.size());
            m_names.append(name);
            m_sections.emplace_back();
            current = &m_sections.back();
            continue;
        }
        if (current == nullptr || line.isEmpty() || line.front() == QLatin1Char('#'))
            continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals >= 1)
            current->Add(line.left(equals).toString(), line.toString());
    }
}

void TLongIniFile::ReadSectionValues(const QString& section, QStringList& values) const
{
    if (const TLongSection* found = FindSection(section))
        values += found->Lines();
}

bool TLongIniFile::ValueExists(const QString& section, const QString& key) const
{
    const TLongSection* found = FindSection(section);
    return found != nullptr && found->IndexOf(key) >= 0;
}

QString TLongIniFile::ReadString(const QString& section, const QString& key,
                                 const QString& defaultValue) const
{
    const TLongSection* found = FindSection(section);
    const qsizetype index = found ? found->IndexOf(key) : -1;
    const QString value = index >= 0 ? found->Value(index) : QString();
    return value.isEmpty() ? defaultValue : value;
}

int TLongIniFile::ReadInteger(const QString& section, const QString& key, int defaultValue) const
{
    int value = defaultValue;
    ParseConfigInteger(ReadString(section, key, QString()), value);
    return value;
}

const TLongSection* TLongIniFile::FindSection(const QString& section) const
{
    const auto found = m_index.constFind(section.toCaseFolded());
    return found == m_index.constEnd() ? nullptr : &m_sections[static_cast<size_t>(found.value())];
}
