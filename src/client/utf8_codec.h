#pragma once

#include <QByteArray>
#include <QString>

// UTF-8 of the TCP wire once the server accepts it. It works on UTF-16 code
// units one by one, as the server does: a surrogate pair travels as two
// three-byte sequences, and decoding does not validate.

QByteArray EncodeUtf8(const QString& text);
QString DecodeUtf8(const QByteArray& bytes);
