// UTF-8 from the wire is decoded without validation: any bytes, including
// sequences cut off at the end, must decode without reading past the data.
#include "client/utf8_codec.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString text = DecodeUtf8(bytes);
    if (text.size() > bytes.size() || DecodeUtf8(EncodeUtf8(text)) != text)
        std::abort();
    return 0;
}
