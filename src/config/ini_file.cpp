#include "config/ini_file.h"

#include "config/config_integer.h"

#include <QSaveFile>

namespace {

QString Folded(const QString& name)
{
    return TrimBlanks(name).toString().toCaseFolded();
}

bool HasLineBreak(QStringView text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

// A name or value that would read back as something else, or break the file
// into further lines, is refused rather than written.
bool Writable(QStringView section, QStringView key, QStringView value)
{
    return !section.isEmpty() && !HasLineBreak(section) && !section.contains(QLatin1Char(']')) &&
           !key.isEmpty() && !HasLineBreak(key) && !key.contains(QLatin1Char('=')) &&
           !key.startsWith(QLatin1Char(';')) && !key.startsWith(QLatin1Char('[')) &&
           !HasLineBreak(value);
}

QStringView Unquoted(QStringView value)
{
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')))
        return value.mid(1, value.size() - 2);
    return value;
}

} // namespace

IniFile::IniFile(const QString& path) : m_path(path)
{
    Load();
}

bool IniFile::SectionExists(const QString& section) const
{
    return FindSection(section) != nullptr;
}

bool IniFile::ValueExists(const QString& section, const QString& key) const
{
    return FindEntry(section, key) != nullptr;
}

QString IniFile::ReadString(const QString& section, const QString& key,
                            const QString& defaultValue) const
{
    const Entry* entry = FindEntry(section, key);
    return entry ? entry->value : defaultValue;
}

int IniFile::ReadInteger(const QString& section, const QString& key, int defaultValue) const
{
    int value = defaultValue;
    if (const Entry* entry = FindEntry(section, key))
        ParseConfigInteger(entry->value, value);
    return value;
}

bool IniFile::ReadBool(const QString& section, const QString& key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

QStringList IniFile::ReadSections() const
{
    QStringList names;
    for (const Section& section : m_sections)
        names.append(section.name);
    return names;
}

QStringList IniFile::ReadSection(const QString& section) const
{
    QStringList keys;
    if (const Section* found = FindSection(section)) {
        for (const Entry& entry : found->entries)
            keys.append(entry.key);
    }
    return keys;
}

QStringList IniFile::ReadSectionValues(const QString& section) const
{
    QStringList lines;
    if (const Section* found = FindSection(section)) {
        for (const Entry& entry : found->entries)
            lines.append(entry.key + QLatin1Char('=') + entry.value);
    }
    return lines;
}

QString IniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    const QString sectionName = TrimBlanks(section).toString();
    const QString keyName = TrimBlanks(key).toString();
    if (!Writable(sectionName, keyName, value))
        return QStringLiteral("Niedozwolony wpis pliku konfiguracji [%1] %2").arg(section, key);
    const QString error = QStringLiteral("Nie można zapisać pliku konfiguracji ") + m_path;
    // Start from the file as it is now: an administrator or another window
    // may have changed it since it was loaded.
    if (!Load())
        return error;

    QStringList lines = m_lines;
    if (const Entry* entry = FindEntry(sectionName, keyName)) {
        lines[entry->line] = lines[entry->line].left(entry->valueStart) + value;
    } else if (const Section* found = FindSection(sectionName)) {
        lines.insert(found->lastLine + 1, keyName + QLatin1Char('=') + value);
    } else {
        if (!lines.isEmpty() && !TrimBlanks(lines.last()).isEmpty())
            lines.append(QString());
        lines.append(QLatin1Char('[') + sectionName + QLatin1Char(']'));
        lines.append(keyName + QLatin1Char('=') + value);
    }

    const QString lineBreak = m_lineBreak.isEmpty() ? QStringLiteral("\n") : m_lineBreak;
    QString text = lines.join(lineBreak);
    if (m_endsWithBreak)
        text += lineBreak;
    ConfigEncoding encoding = m_encoding;
    const QByteArray bytes = EncodeConfigText(text, encoding);

    QSaveFile file(m_path);
    // A settings file may be writable in a folder that is not (the program's
    // own folder); then it is rewritten in place instead of replaced.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return error;

    m_lines = lines;
    m_lineBreak = lineBreak;
    m_encoding = encoding;
    Index();
    return QString();
}

QString IniFile::WriteInteger(const QString& section, const QString& key, int value)
{
    return WriteString(section, key, QString::number(value));
}

QString IniFile::WriteBool(const QString& section, const QString& key, bool value)
{
    return WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool IniFile::Load()
{
    ConfigText content;
    const bool complete = ReadConfigText(m_path, content);
    ConfigLines split = SplitConfigLines(content.text);
    m_lines = std::move(split.lines);
    m_lineBreak = split.lineBreak;
    // An empty or new file gets a break after its last line.
    m_endsWithBreak = split.endsWithBreak || m_lines.isEmpty();
    m_encoding = content.encoding;
    Index();
    return complete;
}

void IniFile::Index()
{
    m_sections.clear();
    m_sectionIndex.clear();
    Section* current = nullptr; // null outside a section and in a repeated one
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const QStringView line(m_lines[i]);
        const QStringView text = TrimBlanks(line);
        if (text.isEmpty() || text.front() == QLatin1Char(';'))
            continue;
        if (text.front() == QLatin1Char('[')) {
            const qsizetype close = text.indexOf(QLatin1Char(']'));
            if (close < 0)
                continue;
            const QString name = TrimBlanks(text.mid(1, close - 1)).toString();
            const QString folded = name.toCaseFolded();
            current = nullptr;
            if (!m_sectionIndex.contains(folded)) {
                m_sectionIndex.insert(folded, static_cast<qsizetype>(m_sections.size()));
                m_sections.push_back(Section{name, i, {}, {}});
                current = &m_sections.back();
            }
            continue;
        }
        const qsizetype equals = text.indexOf(QLatin1Char('='));
        if (current == nullptr || equals < 0)
            continue;
        const QString key = TrimBlanks(text.left(equals)).toString();
        if (key.isEmpty())
            continue;
        const QStringView rest = text.mid(equals + 1);
        const QStringView value = TrimBlanks(rest);
        const qsizetype restStart = (text.data() - line.data()) + equals + 1;
        const qsizetype valueStart =
            restStart + (value.isEmpty() ? rest.size() : value.data() - rest.data());
        current->lastLine = i;
        const QString folded = key.toCaseFolded();
        if (current->entryIndex.contains(folded))
            continue;
        current->entryIndex.insert(folded, static_cast<qsizetype>(current->entries.size()));
        current->entries.push_back(Entry{key, Unquoted(value).toString(), i, valueStart});
    }
}

const IniFile::Section* IniFile::FindSection(const QString& section) const
{
    const auto found = m_sectionIndex.constFind(Folded(section));
    return found == m_sectionIndex.constEnd() ? nullptr
                                              : &m_sections[static_cast<size_t>(found.value())];
}

const IniFile::Entry* IniFile::FindEntry(const QString& section, const QString& key) const
{
    const Section* found = FindSection(section);
    if (found == nullptr)
        return nullptr;
    const auto entry = found->entryIndex.constFind(Folded(key));
    return entry == found->entryIndex.constEnd()
               ? nullptr
               : &found->entries[static_cast<size_t>(entry.value())];
}

QString FirstWriteError(std::initializer_list<QString> errors)
{
    for (const QString& error : errors) {
        if (!error.isEmpty())
            return error;
    }
    return QString();
}
