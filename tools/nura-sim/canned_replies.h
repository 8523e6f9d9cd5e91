#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// One row of replies.json: the answer to every request whose record line
// begins with `request`.
struct CannedReply
{
    QString request;
    QStringList fields;               // "reply"
    std::optional<qint32> count;      // "count": sent instead of the number of fields
    QStringList messages;             // "messages": server messages sent first
    std::optional<QByteArray> stream; // "stream": content for stream requests
};

// The table of canned replies for the operations the simulator has no
// model of.
class CannedReplies
{
public:
    // Returns an error text, empty on success; a missing file is an empty table.
    QString Load(const QString& path);
    void Add(CannedReply reply) { m_replies.push_back(std::move(reply)); }
    // The row with the longest `request` that begins `recordLine`; the
    // first such row when two are equally long. nullptr when none matches.
    const CannedReply* Match(const QString& recordLine) const;

private:
    std::vector<CannedReply> m_replies;
};
