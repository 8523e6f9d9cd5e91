#pragma once

#include "wire_codec.h"

#include <QString>

// What the server remembers about one connection (TCP) or conversation
// (HTTPS, named by its connection id).
struct SessionState
{
    int connection = 0;
    WireCodec codec;
    // The number handed out for the user name; the password and a new
    // password are encoded with it.
    qint32 challenge = 0;
    QString candidate; // user name of the login in progress
    bool loggedIn = false;
    QString user;
    // The conversation runs over JSON, whose text is Unicode already, so an
    // offer of UTF-8 is never taken up.
    bool unicodeText = false;
};
