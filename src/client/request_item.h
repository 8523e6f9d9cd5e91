#pragma once

#include <QString>

#include <initializer_list>

// One argument of a request as both transports carry it: a code byte, a
// 32-bit integer or a string. The TCP client puts them on the wire in this
// order; the HTTPS client writes them as the items of its JSON request.
struct RequestItem
{
    enum Kind : unsigned char
    {
        Byte,
        Integer,
        Text
    } kind;
    qint32 number;
    QString text;
};

using RequestItems = std::initializer_list<RequestItem>;
