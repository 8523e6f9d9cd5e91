#include "reports/escaped_picture_bytes.h"

#include "client/ansi_code_page.h"

namespace {

constexpr char kEsc = 0x1B;

char EscapedByte(char code)
{
    switch (code) {
    case '1':
        return 0x00;
    case '2':
        return 0x1A;
    case '3':
        return kEsc;
    case '4':
        return 0x0D;
    case '5':
        return '|';
    default:
        return code;
    }
}

} // namespace

QByteArray DecodeEscapedPictureBytes(QStringView text)
{
    const AnsiCodePage& page = CurrentAnsiCodePage();
    QByteArray bytes;
    bytes.reserve(text.size());
    bool escaped = false;
    for (const QChar character : text) {
        // A character the page has no byte for cannot have come from 8-bit
        // data; its low byte is the closest guess and keeps the length.
        const std::int16_t mapped = page.fromUnicode[character.unicode()];
        const char byte =
            static_cast<char>(mapped == AnsiCodePage::kNoByte ? character.unicode() : mapped);
        if (escaped) {
            bytes += EscapedByte(byte);
            escaped = false;
        } else if (byte == kEsc) {
            escaped = true;
        } else {
            bytes += byte;
        }
    }
    return bytes;
}
