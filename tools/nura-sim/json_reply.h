#pragma once

#include "sim_reply.h"

#include <QString>

#include <optional>
#include <string>

// What the HTTPS fault switches change in a reply document.
struct JsonReplyFaults
{
    std::optional<qint64> envelopeStatus; // "status" instead of 200
    QString dropMember;                   // "data", "connection_id" or "results"
    bool badBlob = false;                 // a download carries [2, "x"]
};

// The reply document of the HTTPS side for `reply`:
//   [{"status": 200, "data": {"connection_id": ID, "results": [...]}}]
// A count reply is [1, count] and then [2, field] per field; the server
// description is [2, text]; a download is [3, Base64 of the bytes] ([2,
// text] when it failed); a protected download is [status] and then the
// download. Non-ASCII text is written as \uXXXX, so the body is ASCII.
// Server messages have no place in this protocol and are left out.
std::string JsonReplyBody(const SimReply& reply, const QString& connectionId,
                          const JsonReplyFaults& faults = {});
