// Parses any bytes into a value of each kind. A parse may fail only with the
// model's own error, and the text form of the parser must fail the same way
// (bytes that are not UTF-8 never change the syntax). A text that parses
// must be written so that it reads back to the same text.
#include "client/json_value.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdlib>

namespace {

QString ErrorOf(TJSONValue& value, const QByteArray& text, bool asQString)
{
    try {
        if (asQString)
            value.Parse(QString::fromUtf8(text));
        else
            value.Parse(text);
    } catch (const TJSONError& error) {
        return error.Text();
    }
    return QString();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the kind, so "3[1]" is an array text and "0\"a\"" a
    // string text.
    const auto kind = static_cast<TJSONKind>(data[0] % 6);
    const QByteArray text(reinterpret_cast<const char*>(data + 1),
                          static_cast<qsizetype>(size - 1));
    TJSONValue value(kind);
    const QString error = ErrorOf(value, text, false);
    TJSONValue fromText(kind);
    if (ErrorOf(fromText, text, true) != error)
        std::abort();
    if (!error.isEmpty())
        return 0;
    const QByteArray written = value.ToUtf8();
    TJSONValue reread(kind);
    if (!ErrorOf(reread, written, false).isEmpty())
        std::abort();
    if (reread.ToUtf8() != written)
        std::abort();
    return 0;
}
