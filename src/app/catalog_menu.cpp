#include "app/catalog_menu.h"

#include "config/config_integer.h"
#include "config/multi_ini_file.h"

namespace {

const QString kCatalogMark = QStringLiteral("KATALOG");
const QString kGroupMark = QStringLiteral("GRUPA");
const QString kNoName = QStringLiteral("Bez nazwy");

// The text after "key=" in the first line that starts with it, compared
// without regard to case; `defaultValue` when no line does.
QString LineValue(const QStringList& lines, const QString& key, const QString& defaultValue)
{
    const QString start = key + QLatin1Char('=');
    for (const QString& line : lines) {
        if (line.startsWith(start, Qt::CaseInsensitive))
            return line.mid(start.size());
    }
    return defaultValue;
}

CatalogMenuNode ReadCatalog(const TMultiIniFile& file, const QString& section)
{
    QStringList lines;
    file.ReadSectionValues(section, lines);
    CatalogMenuNode catalog;
    catalog.caption = LineValue(lines, QStringLiteral("nazwa"), kNoName);
    catalog.address = LineValue(lines, QStringLiteral("ip"), QStringLiteral("127.0.0.1"));
    catalog.port = 8000;
    ParseConfigInteger(LineValue(lines, QStringLiteral("port"), QString()), catalog.port);
    catalog.user = LineValue(lines, QStringLiteral("user"), QString());
    return catalog;
}

// Adds the items of one menu level to `items`, starting at `position` and
// leaving it at the first section that closes the level. The section names
// are matched with their capitals as written, like the include sections.
void BuildLevel(const TMultiIniFile& file, const QStringList& sections, qsizetype& position,
                const QString& prefix, CatalogMenu& items)
{
    while (position < sections.size()) {
        const QString& name = sections[position];
        if (name.startsWith(kCatalogMark)) {
            if (!name.startsWith(kCatalogMark + prefix))
                return;
            items.push_back(ReadCatalog(file, name));
            ++position;
        } else if (name.startsWith(kGroupMark)) {
            if (!name.startsWith(kGroupMark + prefix))
                return;
            CatalogMenuNode group;
            group.group = true;
            group.caption = file.ReadString(name, QStringLiteral("nazwa"), kNoName);
            ++position;
            BuildLevel(file, sections, position, name.mid(kGroupMark.size()), group.children);
            items.push_back(std::move(group));
        } else {
            ++position;
        }
    }
}

QString WithoutFirstAmpersand(QString caption)
{
    const qsizetype ampersand = caption.indexOf(QLatin1Char('&'));
    if (ampersand >= 0)
        caption.remove(ampersand, 1);
    return caption;
}

void CollectEntries(const CatalogMenu& items, QStringList& ancestors,
                    std::vector<CatalogEntry>& entries)
{
    for (const CatalogMenuNode& item : items) {
        if (!item.group) {
            entries.push_back(CatalogEntry{&item, NamePath(item.caption, ancestors)});
            continue;
        }
        ancestors.prepend(item.caption);
        CollectEntries(item.children, ancestors, entries);
        ancestors.removeFirst();
    }
}

} // namespace

CatalogMenu BuildCatalogMenu(const TMultiIniFile& file)
{
    const QStringList sections = file.ReadSections();
    CatalogMenu menu;
    qsizetype position = 0;
    // The top level has no prefix, so every catalog and group section
    // belongs to it: it only ends with the list.
    BuildLevel(file, sections, position, QString(), menu);
    return menu;
}

QString NamePath(const QString& caption, const QStringList& ancestors)
{
    QStringList outward;
    for (const QString& ancestor : ancestors) {
        const QString shown = WithoutFirstAmpersand(ancestor);
        if (!shown.isEmpty())
            outward.prepend(shown);
    }
    const QString own = WithoutFirstAmpersand(caption);
    if (outward.isEmpty())
        return own;
    return own + QStringLiteral(" [") + outward.join(QStringLiteral(". ")) + QLatin1Char(']');
}

std::vector<CatalogEntry> CatalogEntries(const CatalogMenu& menu)
{
    std::vector<CatalogEntry> entries;
    QStringList ancestors;
    CollectEntries(menu, ancestors, entries);
    return entries;
}
