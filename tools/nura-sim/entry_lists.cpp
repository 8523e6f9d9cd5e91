#include "entry_lists.h"

#include "json_file.h"

#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>

namespace {

bool KeyLess(const QStringList& a, const QStringList& b)
{
    return a.value(0) < b.value(0);
}

} // namespace

QString EntryLists::Load(const QString& path)
{
    m_lists.clear();
    QJsonDocument document;
    if (QString error = ReadJsonFile(path, document); !error.isEmpty())
        return error;
    for (const QJsonValue& value : document.object().value(QLatin1String("lists")).toArray()) {
        const QJsonObject object = value.toObject();
        std::vector<QStringList> entries;
        for (const QJsonValue& entry : object.value(QLatin1String("entries")).toArray()) {
            QStringList fields;
            for (const QJsonValue& field : entry.toArray())
                fields << field.toString();
            // A reply carries 1 to 50 fields.
            if (!fields.isEmpty() && fields.size() <= 50)
                entries.push_back(std::move(fields));
        }
        AddList(object.value(QLatin1String("kind")).toInt(),
                object.value(QLatin1String("index")).toInt(), std::move(entries));
    }
    return {};
}

void EntryLists::AddList(qint32 kind, qint32 index, std::vector<QStringList> entries)
{
    std::stable_sort(entries.begin(), entries.end(), KeyLess);
    m_lists.push_back({kind, index, std::move(entries)});
}

const EntryLists::List* EntryLists::FindList(qint32 kind, qint32 index) const
{
    for (const List& list : m_lists) {
        if (list.kind == kind && list.index == index)
            return &list;
    }
    return nullptr;
}

std::optional<QStringList> EntryLists::Exact(qint32 kind, qint32 index, const QString& key) const
{
    if (const List* list = FindList(kind, index)) {
        for (const QStringList& entry : list->entries) {
            if (entry.value(0) == key)
                return entry;
        }
    }
    return std::nullopt;
}

std::optional<QStringList> EntryLists::First(qint32 kind, qint32 index, const QString& prefix) const
{
    if (const List* list = FindList(kind, index)) {
        for (const QStringList& entry : list->entries) {
            if (entry.value(0).startsWith(prefix))
                return entry;
        }
    }
    return std::nullopt;
}

std::optional<QStringList> EntryLists::Last(qint32 kind, qint32 index, const QString& prefix) const
{
    if (const List* list = FindList(kind, index)) {
        for (auto it = list->entries.rbegin(); it != list->entries.rend(); ++it) {
            if (it->value(0).startsWith(prefix))
                return *it;
        }
    }
    return std::nullopt;
}

std::optional<QStringList> EntryLists::Next(qint32 kind, qint32 index, const QString& current,
                                            const QString& prefix) const
{
    if (const List* list = FindList(kind, index)) {
        for (const QStringList& entry : list->entries) {
            if (entry.value(0) > current && entry.value(0).startsWith(prefix))
                return entry;
        }
    }
    return std::nullopt;
}

std::optional<QStringList> EntryLists::Prev(qint32 kind, qint32 index, const QString& current,
                                            const QString& prefix) const
{
    if (const List* list = FindList(kind, index)) {
        for (auto it = list->entries.rbegin(); it != list->entries.rend(); ++it) {
            if (it->value(0) < current && it->value(0).startsWith(prefix))
                return *it;
        }
    }
    return std::nullopt;
}
