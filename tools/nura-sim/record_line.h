#pragma once

#include "wire_item.h"

#include <QString>

// One request as one line of text, the form of the request log and of the
// canned-reply table: items separated by single spaces; a byte as its
// decimal value, an integer as "i:" and its value, a string as s:"..." with
// backslash, quote and control characters escaped, an upload as "upload:"
// and its size in bytes.
QString FormatRecordLine(const WireItems& items);
