#include "visit_kinds.h"

#include "catalog/brace_notation.h"

#include <algorithm>

namespace {

void CollectKinds(QString content, const QString& group, std::vector<VisitKind>& kinds)
{
    QString name;
    QString value;
    for (NextRecord(content, name, value); !name.isEmpty(); NextRecord(content, name, value)) {
        if (name != QLatin1String("e"))
            continue;
        const QString caption = TakeRecord(value, QStringLiteral("nam"));
        const QString type = TakeRecord(value, QStringLiteral("typ"));
        if (type.isEmpty()) {
            CollectKinds(value, group.isEmpty() ? caption : group + QLatin1String(" / ") + caption,
                         kinds);
            continue;
        }
        const bool known = std::any_of(kinds.begin(), kinds.end(),
                                       [&](const VisitKind& kind) { return kind.type == type; });
        if (!known)
            kinds.push_back({type, caption, group});
    }
}

} // namespace

std::vector<VisitKind> ReadingRoomKinds(const QString& structure)
{
    QString text = structure;
    std::vector<VisitKind> kinds;
    CollectKinds(TakeRecord(text, QStringLiteral("czytelnia")), QString(), kinds);
    return kinds;
}
