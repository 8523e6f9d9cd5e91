#pragma once

#include <QByteArray>

// How strings and stream chunks travel on one connection at a given moment:
// UTF-8 once the client's offer was accepted, otherwise the 8-bit code page
// with escapes; scrambled with the login key once one was handed out.
struct WireCodec
{
    bool utf8 = false;
    QByteArray loginKey;
};
