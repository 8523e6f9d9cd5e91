#include "client/json_value.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>

namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr qsizetype kLineEndLength = 2;
constexpr qsizetype kIndentWidth = 2;
// Numbers are written in at most 15 significant digits.
constexpr int kPrecision = 15;
// The longest number text: sign, 15 digits, point, "E-" and a 4-digit exponent.
constexpr qsizetype kMaxNumberLength = 24;
// Integral values below this are written by the plain integer path.
constexpr long double kFixedLimit = 1e15L;

void AppendInteger(QByteArray& out, std::int64_t whole)
{
    char text[20];
    char* first = std::end(text);
    std::uint64_t rest =
        whole < 0 ? 0 - static_cast<std::uint64_t>(whole) : static_cast<std::uint64_t>(whole);
    do {
        *--first = static_cast<char>('0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    if (whole < 0)
        *--first = '-';
    out.append(first, std::end(text) - first);
}

// General format: fixed notation while the integer part has at most 15
// digits and the value is at least 0.00001, otherwise "1.5E-6" style with
// no "+" and no leading zeros in the exponent. Trailing zeros are dropped.
void AppendGeneral(QByteArray& out, long double number)
{
    // "-d.ddddddddddddddde-dddd": to_chars does the correct rounding to 15
    // significant digits, independently of the process locale.
    char text[48];
    const auto result = std::to_chars(text, text + sizeof text, number,
                                      std::chars_format::scientific, kPrecision - 1);
    const char* p = text;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    char digits[kPrecision];
    int count = 0;
    for (; *p != 'e'; ++p) {
        if (*p != '.')
            digits[count++] = *p;
    }
    int exponent = 0;
    std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), result.ptr, exponent);
    while (count > 1 && digits[count - 1] == '0')
        --count;

    if (negative)
        out += '-';
    if (exponent >= 0 && exponent < kPrecision) {
        const int whole = exponent + 1;
        if (count <= whole) {
            out.append(digits, count);
            out.append(whole - count, '0');
        } else {
            out.append(digits, whole);
            out += '.';
            out.append(digits + whole, count - whole);
        }
    } else if (exponent < 0 && exponent >= -5) {
        out += "0.";
        out.append(-exponent - 1, '0');
        out.append(digits, count);
    } else {
        out += digits[0];
        if (count > 1) {
            out += '.';
            out.append(digits + 1, count - 1);
        }
        out += 'E';
        out += QByteArray::number(exponent);
    }
}

void AppendNumber(QByteArray& out, long double number)
{
    if (std::isnan(number)) {
        out += "NAN";
    } else if (std::isinf(number)) {
        out += number < 0 ? "-INF" : "INF";
    } else if (number > -kFixedLimit && number < kFixedLimit &&
               number == static_cast<long double>(static_cast<std::int64_t>(number))) {
        AppendInteger(out, static_cast<std::int64_t>(number));
    } else {
        AppendGeneral(out, number);
    }
}

void AppendIndent(QByteArray& out, int level)
{
    out.append(level * kIndentWidth, ' ');
}

void AppendQuoted(QByteArray& out, const QByteArray& text)
{
    out += '"';
    out += text;
    out += '"';
}

void AppendLineEnd(QByteArray& out)
{
    out.append(kLineEnd, kLineEndLength);
}

// An upper bound of the written length (exact but for numbers and member
// names), so the text is built without reallocation, a large blob included.
// A UTF-16 unit of a name takes at most three bytes in UTF-8.
qsizetype TextLength(const TJSONValue& value, int level)
{
    switch (value.Kind()) {
    case TJSONKind::String:
        return value.RawString().size() + 2;
    case TJSONKind::Number:
        return kMaxNumberLength;
    case TJSONKind::Bool:
        return 5;
    case TJSONKind::Null:
        return 4;
    case TJSONKind::Object: {
        const TJSONObject& object = value.AsObject();
        qsizetype length = 1 + kLineEndLength + level * kIndentWidth + 1;
        for (int i = 0; i < object.Count(); ++i) {
            const TJSONMember& member = object.Item(i);
            length += (level + 1) * kIndentWidth + member.name.size() * 3 + 4 +
                      TextLength(member.value, level + 1) + 1 + kLineEndLength;
        }
        return length;
    }
    case TJSONKind::Array: {
        const TJSONArray& array = value.AsArray();
        qsizetype length = 1 + kLineEndLength + level * kIndentWidth + 1;
        for (int i = 0; i < array.Count(); ++i) {
            length += (level + 1) * kIndentWidth + TextLength(array.Item(i), level + 1) + 1 +
                      kLineEndLength;
        }
        return length;
    }
    }
    return 0;
}

// Writes the value from the current position of the current line; a nested
// array or object opens on that line and closes on its own line at level.
void WriteValue(QByteArray& out, const TJSONValue& value, int level)
{
    switch (value.Kind()) {
    case TJSONKind::String:
        AppendQuoted(out, value.RawString());
        break;
    case TJSONKind::Number:
        AppendNumber(out, value.AsNumber());
        break;
    case TJSONKind::Bool:
        out += value.AsBool() ? "true" : "false";
        break;
    case TJSONKind::Null:
        out += "null";
        break;
    case TJSONKind::Object: {
        const TJSONObject& object = value.AsObject();
        out += '{';
        AppendLineEnd(out);
        for (int i = 0; i < object.Count(); ++i) {
            const TJSONMember& member = object.Item(i);
            AppendIndent(out, level + 1);
            AppendQuoted(out, member.name.toUtf8());
            out += ": ";
            WriteValue(out, member.value, level + 1);
            if (i + 1 < object.Count())
                out += ',';
            AppendLineEnd(out);
        }
        AppendIndent(out, level);
        out += '}';
        break;
    }
    case TJSONKind::Array: {
        const TJSONArray& array = value.AsArray();
        out += '[';
        AppendLineEnd(out);
        for (int i = 0; i < array.Count(); ++i) {
            AppendIndent(out, level + 1);
            WriteValue(out, array.Item(i), level + 1);
            if (i + 1 < array.Count())
                out += ',';
            AppendLineEnd(out);
        }
        AppendIndent(out, level);
        out += ']';
        break;
    }
    }
}

} // namespace

QByteArray TJSONValue::ToUtf8() const
{
    QByteArray text;
    text.reserve(TextLength(*this, 0) + kLineEndLength);
    WriteValue(text, *this, 0);
    AppendLineEnd(text);
    return text;
}

QString TJSONValue::ToText() const
{
    return QString::fromUtf8(ToUtf8());
}
