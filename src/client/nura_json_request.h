#pragma once

#include "client/request_item.h"

#include <QByteArray>
#include <QString>

// The body of one HTTPS request:
//   {"exec": [["nuraLegacyProtocol", [connectionId, label, items]]]}
// written by the JSON model (indented, CR LF line ends). Items are
// [0, byte], [1, integer], [2, escaped text] in the order given, then
// [3, escaped Base64 of `blob`] when `blob` is not null. Every string is
// escaped, so the body is plain ASCII; the connection id alone is written
// as it stands, since it is the raw text of the last reply's
// NuraJsonReply::ConnectionId.
QByteArray BuildRequestBody(const QString& connectionId, const char* label, RequestItems items,
                            const QByteArray* blob = nullptr);
