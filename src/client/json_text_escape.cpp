#include "client/json_text_escape.h"

#include "client/base64.h"
#include "client/hex_digits.h"
#include "client/json_error.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr char16_t kEsc = 0x1B;
constexpr char16_t kSub = 0x1A;
// ESC, "U", four digits, SUB.
constexpr qsizetype kCharacterEscapeLength = 7;
// How much of the text after a bad backslash its error text shows.
constexpr qsizetype kErrorContext = 10;
// A UTF-16 unit takes at most three bytes of UTF-8.
constexpr qsizetype kMaxUtf8PerUnit = 3;

constexpr char kHexDigits[] = "0123456789ABCDEF";

// For each ASCII code: 0 when it stands as it is, otherwise the letter after
// the backslash ("u" for the four-digit form).
constexpr std::array<char, 128> MakeEscapeLetters()
{
    std::array<char, 128> letters{};
    for (int c = 0; c < 32; ++c)
        letters[static_cast<std::size_t>(c)] = 'u';
    letters['\b'] = 'b';
    letters['\t'] = 't';
    letters['\n'] = 'n';
    letters['\f'] = 'f';
    letters['\r'] = 'r';
    letters['"'] = '"';
    letters['/'] = '/';
    letters['\\'] = '\\';
    return letters;
}

constexpr std::array<char, 128> kEscapeLetters = MakeEscapeLetters();

// ESC "U" xxxx SUB starting at s[i]. Only hexadecimal digits are taken: any
// other character between them (a quote above all) would break the request
// document, so such a run is escaped character by character instead.
bool IsCharacterEscape(const char16_t* s, qsizetype n, qsizetype i)
{
    if (n - i < kCharacterEscapeLength || s[i] != kEsc || s[i + 1] != u'U' || s[i + 6] != kSub)
        return false;
    for (qsizetype k = 2; k < 6; ++k) {
        if (HexDigitValue(s[i + k]) < 0)
            return false;
    }
    return true;
}

void AppendUnitEscape(QByteArray& out, char16_t unit)
{
    const char escape[] = {'\\',
                           'u',
                           kHexDigits[(unit >> 12) & 0xF],
                           kHexDigits[(unit >> 8) & 0xF],
                           kHexDigits[(unit >> 4) & 0xF],
                           kHexDigits[unit & 0xF]};
    out.append(escape, sizeof escape);
}

[[noreturn]] void FailBackslash(const char* data, qsizetype size, qsizetype backslash)
{
    const qsizetype from = backslash + 1;
    const qsizetype bytes = std::min(size - from, kErrorContext * kMaxUtf8PerUnit);
    const QString context = QString::fromUtf8(data + from, bytes).left(kErrorContext);
    throw TJSONError(QStringLiteral("Backslash conversion error \"\\") + context +
                     QStringLiteral("...\""));
}

// The escape whose backslash is data[pos]: returns the UTF-16 unit it stands
// for and moves pos behind it.
char16_t ReadEscape(const char* data, qsizetype size, qsizetype& pos)
{
    const qsizetype backslash = pos;
    if (size - pos < 2)
        FailBackslash(data, size, backslash);
    pos += 2;
    switch (data[backslash + 1]) {
    case '"':
        return u'"';
    case '\\':
        return u'\\';
    case '/':
        return u'/';
    case 'b':
        return u'\b';
    case 'f':
        return u'\f';
    case 'n':
        return u'\n';
    case 'r':
        return u'\r';
    case 't':
        return u'\t';
    case 'u':
        break;
    default:
        FailBackslash(data, size, backslash);
    }
    if (size - pos < 4)
        throw TJSONError(QStringLiteral("\\u conversion error"));
    unsigned unit = 0;
    for (int k = 0; k < 4; ++k) {
        const int digit = HexDigitValue(static_cast<unsigned char>(data[pos + k]));
        if (digit < 0)
            throw TJSONError(QStringLiteral("\\u conversion error"));
        unit = unit << 4 | static_cast<unsigned>(digit);
    }
    pos += 4;
    return static_cast<char16_t>(unit);
}

const char* FindBackslash(const char* data, qsizetype from, qsizetype size)
{
    return static_cast<const char*>(
        std::memchr(data + from, '\\', static_cast<std::size_t>(size - from)));
}

} // namespace

QByteArray EscapeJsonText(const QString& text)
{
    const char16_t* s = QStringView(text).utf16();
    const qsizetype n = text.size();
    QByteArray out;
    out.reserve(n + 16);
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = s[i];
        if (c == kEsc && IsCharacterEscape(s, n, i)) {
            const char escape[] = {'\\',
                                   'u',
                                   static_cast<char>(s[i + 2]),
                                   static_cast<char>(s[i + 3]),
                                   static_cast<char>(s[i + 4]),
                                   static_cast<char>(s[i + 5])};
            out.append(escape, sizeof escape);
            i += kCharacterEscapeLength - 1;
        } else if (c >= 128 || kEscapeLetters[c] == 'u') {
            AppendUnitEscape(out, c);
        } else if (kEscapeLetters[c] != 0) {
            out += '\\';
            out += kEscapeLetters[c];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

QString UnescapeJsonText(const QByteArray& raw)
{
    const char* data = raw.constData();
    const qsizetype size = raw.size();
    const char* backslash = FindBackslash(data, 0, size);
    if (backslash == nullptr)
        return QString::fromUtf8(raw);
    // Backslashes never occur inside a multi-byte UTF-8 character, so the
    // runs between escapes decode on their own.
    QString text;
    text.reserve(size);
    qsizetype pos = 0;
    while (backslash != nullptr) {
        const qsizetype at = backslash - data;
        text += QString::fromUtf8(data + pos, at - pos);
        pos = at;
        text += QChar(ReadEscape(data, size, pos));
        backslash = FindBackslash(data, pos, size);
    }
    text += QString::fromUtf8(data + pos, size - pos);
    return text;
}

QByteArray EscapedBase64(const QByteArray& bytes)
{
    // Random bytes give a "/" in one character of 64; room for twice that
    // saves copying a large blob when the escapes are added in place.
    const qsizetype plain = Base64Length(bytes.size());
    QByteArray out;
    out.reserve(plain + plain / 32 + 16);
    AppendBase64(out, bytes);
    const auto slashes = std::count(out.cbegin(), out.cend(), '/');
    if (slashes == 0)
        return out;
    out.resize(plain + slashes);
    // From the end backwards, each run behind a "/" moves as a block to make
    // room for the backslashes in front of it.
    char* d = out.data();
    qsizetype read = plain;
    qsizetype write = plain + slashes;
    while (write > read) {
        const auto* slash =
            static_cast<const char*>(memrchr(d, '/', static_cast<std::size_t>(read)));
        const qsizetype after = slash - d + 1;
        write -= read - after;
        std::memmove(d + write, d + after, static_cast<std::size_t>(read - after));
        d[--write] = '/';
        d[--write] = '\\';
        read = after - 1;
    }
    return out;
}

QByteArray DecodeEscapedBase64(const QByteArray& raw)
{
    const char* data = raw.constData();
    const qsizetype size = raw.size();
    Base64Decoder decoder(size);
    qsizetype pos = 0;
    while (pos < size) {
        if (decoder.Finished()) {
            // The data has ended, but a bad escape behind it is still an
            // error, as it is for the text as a whole.
            const char* backslash = FindBackslash(data, pos, size);
            if (backslash == nullptr)
                break;
            pos = backslash - data;
        } else {
            pos += decoder.AddRun(data + pos, size - pos, true);
            if (pos >= size || data[pos] != '\\')
                continue;
        }
        decoder.AddCharacter(ReadEscape(data, size, pos));
    }
    return decoder.Take();
}
