#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// One item of a request as it came off the wire: the code bytes and the
// byte arguments, the 32-bit integers, the strings (already unscrambled and
// decoded) and the bytes of an upload stream.
struct WireItem
{
    enum class Kind
    {
        Byte,
        Integer,
        String,
        Upload
    };

    Kind kind = Kind::Byte;
    qint32 number = 0; // Byte and Integer
    QString text;      // String
    QByteArray data;   // Upload

    static WireItem Byte(quint8 value) { return {Kind::Byte, value, {}, {}}; }
    static WireItem Integer(qint32 value) { return {Kind::Integer, value, {}, {}}; }
    static WireItem String(QString value) { return {Kind::String, 0, std::move(value), {}}; }
    static WireItem Upload(QByteArray bytes) { return {Kind::Upload, 0, {}, std::move(bytes)}; }
};

using WireItems = std::vector<WireItem>;
