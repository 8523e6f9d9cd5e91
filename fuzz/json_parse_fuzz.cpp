// Parses any text into a value of each kind. A parse may fail only with the
// model's own error; a text that parses must be written so that it reads
// back to the same text.
#include "client/json_value.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the kind, so "3[1]" is an array text and "0\"a\"" a
    // string text.
    const auto kind = static_cast<TJSONKind>(data[0] % 6);
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1),
                                           static_cast<qsizetype>(size - 1));
    TJSONValue value(kind);
    try {
        value.Parse(text);
    } catch (const TJSONError&) {
        return 0;
    }
    const QString written = value.ToText();
    TJSONValue reread(kind);
    try {
        reread.Parse(written);
    } catch (const TJSONError&) {
        std::abort();
    }
    if (reread.ToText() != written)
        std::abort();
    return 0;
}
