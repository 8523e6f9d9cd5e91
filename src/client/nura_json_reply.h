#pragma once

#include "client/json_value.h"
#include "client/nura_record.h"

#include <QByteArray>
#include <QString>

// A reply of the HTTPS server:
//   [{"status": 200, "data": {"connection_id": "...", "results": [...]}}]
// results[0] is [kind, count] and results[1..count] are [kind, value]
// (1 integer, 2 string, 3 escaped Base64 blob); a download carries its
// [3, data] pair in results[0] instead.
class NuraJsonReply
{
public:
    // Parses `body` (consumed and freed once parsed, so that a large
    // download is not held twice) and checks the envelope. Returns the error text, empty
    // when the reply is usable: a syntax error gives "Błąd połączenia (" +
    // the parser's message + ")"; then "Błąd odpowiedzi (status)", "(data)",
    // "(connection_id)" or "(results)" for the first part that is missing,
    // of the wrong kind, or (status) not 200.
    QString Parse(QByteArray body);

    // The id as the server wrote it (escapes left as they are): it goes back
    // unchanged in the next request. Taken as soon as the envelope holds it,
    // even when its results are missing.
    const QString& ConnectionId() const { return m_connectionId; }
    // Valid after a successful Parse.
    const TJSONArray& Results() const;

    // The reading rules below throw TJSONError (its text is the error text)
    // when an element has the wrong kind or is missing.

    // results[0][1] rounded; a count outside 0..50 gives count 0 and the
    // error text "Zła wielkość odpowiedzi (" + count + ")". Field c is the
    // decimal text of results[c][1] for kind 1, its unescaped text for kinds
    // 2 and 3, empty for any other kind. Returns the error text.
    QString ReadAnswer(TAnswer& answer) const;
    // A record for a count of 1..50, with the fields read as above and
    // `key`; null for any other count.
    TNuraRecordPtr ReadRecord(qint32 key) const;
    // results[index] when it is [3, data]: data unescaped and Base64-decoded
    // into `bytes`. False, with `bytes` empty, for anything else (a missing
    // element included); only a bad escape in data throws.
    bool ReadBlob(int index, QByteArray& bytes) const;
    // The unescaped text of results[0][0]: the status of a protected
    // download.
    QString ReadStatus() const;

private:
    QString CheckEnvelope();

    TJSONValue m_document;
    QString m_connectionId;
    bool m_valid = false;
};
