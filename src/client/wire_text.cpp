#include "client/wire_text.h"

#include "client/ansi_codec.h"
#include "client/scramble.h"
#include "client/utf8_codec.h"

QByteArray EncodeWireText(const QString& text, bool utf8, const QByteArray& loginKey)
{
    return ScrambleText(loginKey, utf8 ? EncodeUtf8(text) : EncodeAnsi(text));
}

QString DecodeWireText(QByteArray bytes, bool utf8, const QByteArray& loginKey)
{
    bytes = UnscrambleText(loginKey, std::move(bytes));
    return utf8 ? DecodeUtf8(bytes) : DecodeAnsi(bytes);
}
