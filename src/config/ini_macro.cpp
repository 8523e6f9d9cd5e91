#include "config/ini_macro.h"

#include "config/config_text.h"
#include "config/ini_file.h"

namespace {

const QString kGlobalSection = QStringLiteral("GLOBAL");

// Each name may use the ones before it twice over, so a few dozen lines of
// "GLOBAL" could double a value into gigabytes. Expansions stop growing at
// the longest path either platform accepts, far beyond any real value.
constexpr qsizetype kMaxExpandedLength = 32767;

void AppendCapped(QString& result, QStringView piece)
{
    result += piece.left(kMaxExpandedLength - result.size());
}

} // namespace

MacroTable MacroTable::Build(const IniFile& file, const QString& configFolder)
{
    MacroTable table;
    const QStringList keys = file.ReadSection(kGlobalSection);
    // All names are known before any value is expanded, so a name defined
    // further down (or the key itself) is found but has no value yet and
    // expands to nothing rather than to an environment variable.
    table.AddName(QStringLiteral("INI"));
    for (const QString& key : keys)
        table.AddName(key);
    table.m_values.append(configFolder);
    for (const QString& key : keys)
        table.m_values.append(table.Expand(file.ReadString(kGlobalSection, key, QString())));
    return table;
}

// Text between macros loses its surrounding blanks; only the text after the
// last "%" is taken as it stands. Long text and values are cut at the limit.
QString MacroTable::Expand(const QString& text) const
{
    const QStringView view(text);
    QString result;
    qsizetype pos = 0;
    while (true) {
        const qsizetype open = view.indexOf(QLatin1Char('%'), pos);
        if (open < 0)
            break;
        AppendCapped(result, TrimBlanks(view.mid(pos, open - pos)));
        const qsizetype close = view.indexOf(QLatin1Char('%'), open + 1);
        const qsizetype nameEnd = close < 0 ? view.size() : close;
        AppendCapped(result, Lookup(TrimBlanks(view.mid(open + 1, nameEnd - open - 1))));
        pos = close < 0 ? view.size() : close + 1;
    }
    AppendCapped(result, view.mid(pos));
    return result;
}

void MacroTable::AddName(const QString& name)
{
    const QString folded = name.toCaseFolded();
    if (!m_position.contains(folded))
        m_position.insert(folded, m_nameCount);
    ++m_nameCount;
}

QString MacroTable::Lookup(QStringView name) const
{
    if (name.isEmpty())
        return QString();
    const auto found = m_position.constFind(name.toString().toCaseFolded());
    if (found == m_position.constEnd())
        return qEnvironmentVariable(name.toUtf8().constData());
    return found.value() < m_values.size() ? m_values[found.value()] : QString();
}
