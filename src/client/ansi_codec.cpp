#include "client/ansi_codec.h"

#include "client/ansi_code_page.h"
#include "client/hex_digits.h"

#include <cstring>

namespace {

constexpr char kEsc = 27;
constexpr char kSub = 26;
constexpr qsizetype kEscapeLength = 7;

// True when an escape run starts at `i`: ESC "U", four bytes, SUB.
bool IsEscapeRun(const char* data, qsizetype size, qsizetype i)
{
    return i + kEscapeLength <= size && data[i + 1] == 'U' && data[i + 6] == kSub;
}

char16_t EscapedUnit(const char* run)
{
    unsigned unit = 0;
    for (int d = 2; d < 6; ++d)
        unit = unit * 16 + static_cast<unsigned>(HexValue(QLatin1Char(run[d])));
    return static_cast<char16_t>(unit);
}

} // namespace

QByteArray EncodeAnsi(const QString& text)
{
    const AnsiCodePage& page = CurrentAnsiCodePage();
    const char16_t* units = reinterpret_cast<const char16_t*>(text.utf16());
    const qsizetype size = text.size();
    // Size the result first so the common path is one table look-up and one
    // store per character.
    qsizetype escaped = 0;
    for (qsizetype i = 0; i < size; ++i)
        escaped += page.fromUnicode[units[i]] == AnsiCodePage::kNoByte;
    QByteArray out(size + escaped * (kEscapeLength - 1), Qt::Uninitialized);
    char* bytes = out.data();
    for (qsizetype i = 0; i < size; ++i) {
        const std::int16_t b = page.fromUnicode[units[i]];
        if (b != AnsiCodePage::kNoByte) {
            *bytes++ = static_cast<char>(b);
            continue;
        }
        const QString digits = HexWord(units[i]);
        *bytes++ = kEsc;
        *bytes++ = 'U';
        for (const QChar d : digits)
            *bytes++ = static_cast<char>(d.unicode());
        *bytes++ = kSub;
    }
    return out;
}

QString DecodeAnsi(const QByteArray& bytes)
{
    const AnsiCodePage& page = CurrentAnsiCodePage();
    const char* data = bytes.constData();
    const qsizetype size = bytes.size();
    QString text(size, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    qsizetype written = 0;
    qsizetype i = 0;
    while (i < size) {
        // Runs without ESC are the common case: convert them in one sweep.
        const void* esc = std::memchr(data + i, kEsc, static_cast<size_t>(size - i));
        const qsizetype end = esc ? static_cast<const char*>(esc) - data : size;
        for (; i < end; ++i)
            out[written++] = page.toUnicode[static_cast<unsigned char>(data[i])];
        if (i == size)
            break;
        if (IsEscapeRun(data, size, i)) {
            out[written++] = EscapedUnit(data + i);
            i += kEscapeLength;
        } else {
            out[written++] = page.toUnicode[static_cast<unsigned char>(data[i])];
            ++i;
        }
    }
    text.truncate(written);
    return text;
}
