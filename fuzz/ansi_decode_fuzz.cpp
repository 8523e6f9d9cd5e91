// 8-bit text from files and the wire: decoding must accept any bytes, and
// text must survive encoding and decoding again. Text that holds ESC itself
// is left out of the round trip: ESC passes through as a plain byte (the
// parameter text uses it as its own escape), so ESC "U" four characters SUB
// written as text reads back as the character it spells.
#include "client/ansi_codec.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString text = DecodeAnsi(bytes).remove(QChar(u'\x1B'));
    if (DecodeAnsi(EncodeAnsi(text)) != text)
        std::abort();
    return 0;
}
