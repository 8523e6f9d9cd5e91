// 8-bit text from files and the wire: decoding must accept any bytes, and
// encoding the result must give the same bytes back.
#include "client/ansi_codec.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString text = DecodeAnsi(bytes);
    if (DecodeAnsi(EncodeAnsi(text)) != text)
        std::abort();
    return 0;
}
