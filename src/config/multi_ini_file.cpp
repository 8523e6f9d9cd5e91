#include "config/multi_ini_file.h"

#include "config/config_path.h"
#include "config/config_text.h"
#include "config/wildcard_match.h"

namespace {

const QString kIncludeMark = QStringLiteral("PLIK ");

// Written with the capitals and the space exactly; "plik x" is an ordinary section.
bool IsIncludeSection(const QString& name)
{
    return name.startsWith(kIncludeMark);
}

} // namespace

TMultiIniFile::TMultiIniFile(const QString& path)
    : m_plain(path), m_macros(MacroTable::Build(m_plain, FolderOf(path)))
{
    const QString folder = FolderOf(path);
    for (const QString& name : m_plain.ReadSections()) {
        if (!IsIncludeSection(name))
            continue;
        const QString target = m_macros.Expand(name.mid(kIncludeMark.size()));
        const qsizetype bar = target.indexOf(QLatin1Char('|'));
        const QString prefix = bar < 0 ? QString() : TrimBlanks(target.left(bar)).toString();
        const QString file =
            TrimBlanks(bar < 0 ? QStringView(target) : QStringView(target).mid(bar + 1)).toString();
        // Every include keeps its place even when its file is missing, so
        // the k-th include section always stands for the k-th include.
        m_includes.push_back(Include{prefix, TLongIniFile(LocalPath(file, folder))});
    }
}

QString TMultiIniFile::ReadString(const QString& section, const QString& key,
                                  const QString& defaultValue) const
{
    if (m_plain.ValueExists(section, key))
        return m_plain.ReadString(section, key, defaultValue);
    QString includeSection;
    const Include* include = IncludeWith(section, key, includeSection);
    return include ? include->file.ReadString(includeSection, key, defaultValue) : defaultValue;
}

int TMultiIniFile::ReadInteger(const QString& section, const QString& key, int defaultValue) const
{
    if (m_plain.ValueExists(section, key))
        return m_plain.ReadInteger(section, key, defaultValue);
    QString includeSection;
    const Include* include = IncludeWith(section, key, includeSection);
    return include ? include->file.ReadInteger(includeSection, key, defaultValue) : defaultValue;
}

QStringList TMultiIniFile::ReadSections() const
{
    QStringList names;
    size_t next = 0;
    for (const QString& name : m_plain.ReadSections()) {
        if (!IsIncludeSection(name)) {
            names.append(name);
            continue;
        }
        const Include& include = m_includes[next++];
        for (const QString& included : include.file.ReadSections())
            names.append(include.prefix + included);
    }
    return names;
}

void TMultiIniFile::ReadSectionValues(const QString& section, QStringList& values) const
{
    const QStringList plain = m_plain.ReadSectionValues(section);
    if (!plain.isEmpty()) {
        values += plain;
        return;
    }
    const qsizetype before = values.size();
    for (const Include& include : m_includes) {
        if (!include.prefix.isEmpty() && !section.startsWith(include.prefix))
            continue;
        include.file.ReadSectionValues(section.mid(include.prefix.size()), values);
        if (values.size() > before)
            return;
    }
}

// The prefix is matched as a wildcard pattern, so "*", "?" and "\" in it keep
// their pattern meaning; what is cut off the section name is as long as the
// prefix as written.
const TMultiIniFile::Include* TMultiIniFile::IncludeWith(const QString& section, const QString& key,
                                                         QString& includeSection) const
{
    for (const Include& include : m_includes) {
        if (!WildcardMatch(section, include.prefix + QLatin1Char('*')))
            continue;
        includeSection = section.mid(include.prefix.size());
        if (include.file.ValueExists(includeSection, key))
            return &include;
    }
    return nullptr;
}
