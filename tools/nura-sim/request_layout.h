#pragma once

#include <QtGlobal>

// What the client reads back for an operation.
enum class ReplyShape
{
    None,             // the goodbye request gets no answer
    Count,            // count, then that many long strings
    LongString,       // one long string (the server description)
    String,           // one plain string (booking)
    Stream,           // chunked byte stream
    StatusThenStream, // a status string, then a chunked byte stream
};

// The items of one request after its code byte (and sub-code byte, for the
// families that have one): 'b' byte, 'i' 32-bit integer, 's' string. An
// upload stream follows the items when `upload` is set.
struct RequestLayout
{
    quint8 code;
    int subCode; // -1 for codes without a sub-code
    const char* name;
    const char* items;
    bool upload;
    ReplyShape shape;
};

// Choices that depend on what this server says about itself: the payment
// request carries three more strings for a current server of a late enough
// version, because the client decides by the server's description.
struct LayoutContext
{
    bool moneyWithThreeMore = true;
};

// True for the code bytes that are followed by a sub-code byte.
bool HasSubCode(quint8 code);

// The layout of a request, or nullptr for an unknown code or sub-code.
// `subCode` is ignored for codes without one.
const RequestLayout* FindLayout(quint8 code, int subCode, const LayoutContext& context);
