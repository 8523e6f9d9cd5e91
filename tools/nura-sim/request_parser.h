#pragma once

#include "item_source.h"
#include "request_layout.h"
#include "wire_codec.h"
#include "wire_item.h"

#include <QString>

// A request read off the wire. When it did not match any layout, or did not
// match its own, `error` says what was wrong and `items` holds what was read
// up to that point.
struct ParsedRequest
{
    WireItems items;
    const RequestLayout* layout = nullptr;
    QString error;
    // The connection cannot go on: the client went away, or the bytes can no
    // longer be told apart from the next request.
    bool fatal = false;
};

// Largest string item and largest upload the simulator takes; anything
// bigger is treated as garbage rather than allowed to take all the memory.
inline constexpr qsizetype kMaxRequestString = 16 * 1024 * 1024;
inline constexpr qint32 kMaxUpload = 256 * 1024 * 1024;

// Reads one whole request: the code byte, the sub-code byte where the code
// has one, the items of its layout and the upload stream that follows some
// of them. Strings are unscrambled and decoded with `codec`, upload chunks
// unscrambled. Bytes left over right after the request count as a wrong
// layout and are dropped.
ParsedRequest ParseRequest(ItemSource& source, const WireCodec& codec,
                           const LayoutContext& context);
