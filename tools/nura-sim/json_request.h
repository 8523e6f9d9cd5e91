#pragma once

#include "wire_item.h"

#include <QString>

#include <string>

// One request of the HTTPS side as the client posts it:
//   {"exec": [["nuraLegacyProtocol", [connection_id, label, items]]]}
// with items [0, byte], [1, integer], [2, text] and [3, Base64 of the bytes
// of an upload]. The items become the same WireItems the TCP side reads.
struct JsonRequest
{
    QString connectionId;
    QString label;
    WireItems items;
};

// Reads `body` into `request`. Returns an error text, empty on success: the
// text says what is not as the document must be (it is answered with
// HTTP 400 and never reaches the request handler).
QString ParseJsonRequest(const std::string& body, JsonRequest& request);
