#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The lists an older server serves entry by entry (lists.json): each list
// is named by its kind and index number and holds entries of one or more
// fields, kept sorted by field 1, the entry's key. A prefix narrows a walk
// to the keys that begin with it.
class EntryLists
{
public:
    // Returns an error text, empty on success; a missing file means no lists.
    QString Load(const QString& path);
    void AddList(qint32 kind, qint32 index, std::vector<QStringList> entries);

    // The entry whose key is `key`.
    std::optional<QStringList> Exact(qint32 kind, qint32 index, const QString& key) const;
    // First and last entry whose key begins with `prefix`.
    std::optional<QStringList> First(qint32 kind, qint32 index, const QString& prefix) const;
    std::optional<QStringList> Last(qint32 kind, qint32 index, const QString& prefix) const;
    // The entry after / before the one with key `current`, among the keys
    // that begin with `prefix`.
    std::optional<QStringList> Next(qint32 kind, qint32 index, const QString& current,
                                    const QString& prefix) const;
    std::optional<QStringList> Prev(qint32 kind, qint32 index, const QString& current,
                                    const QString& prefix) const;

private:
    struct List
    {
        qint32 kind = 0;
        qint32 index = 0;
        std::vector<QStringList> entries; // sorted by field 1
    };
    const List* FindList(qint32 kind, qint32 index) const;

    std::vector<List> m_lists;
};
