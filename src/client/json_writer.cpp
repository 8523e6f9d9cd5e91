#include "client/json_value.h"

#include <QStringView>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>

namespace {

constexpr QStringView kLineEnd = u"\r\n";
constexpr qsizetype kIndentWidth = 2;
// Numbers are written in at most 15 significant digits.
constexpr int kPrecision = 15;
// The longest number text: sign, 15 digits, point, "E-" and a 4-digit exponent.
constexpr qsizetype kMaxNumberLength = 24;
// Integral values below this are written by the plain integer path.
constexpr long double kFixedLimit = 1e15L;

void AppendInteger(QString& out, std::int64_t whole)
{
    char16_t text[20];
    char16_t* first = std::end(text);
    std::uint64_t rest =
        whole < 0 ? 0 - static_cast<std::uint64_t>(whole) : static_cast<std::uint64_t>(whole);
    do {
        *--first = static_cast<char16_t>(u'0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    if (whole < 0)
        *--first = u'-';
    out += QStringView(first, std::end(text));
}

// General format: fixed notation while the integer part has at most 15
// digits and the value is at least 0.00001, otherwise "1.5E-6" style with
// no "+" and no leading zeros in the exponent. Trailing zeros are dropped.
void AppendGeneral(QString& out, long double number)
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
        out += QLatin1Char('-');
    const QLatin1String significant(digits, count);
    if (exponent >= 0 && exponent < kPrecision) {
        const int whole = exponent + 1;
        if (count <= whole) {
            out += significant;
            out.resize(out.size() + whole - count, QLatin1Char('0'));
        } else {
            out += significant.left(whole);
            out += QLatin1Char('.');
            out += significant.mid(whole);
        }
    } else if (exponent < 0 && exponent >= -5) {
        out += QLatin1String("0.");
        out.resize(out.size() - exponent - 1, QLatin1Char('0'));
        out += significant;
    } else {
        out += QLatin1Char(digits[0]);
        if (count > 1) {
            out += QLatin1Char('.');
            out += significant.mid(1);
        }
        out += QLatin1Char('E');
        out += QString::number(exponent);
    }
}

void AppendNumber(QString& out, long double number)
{
    if (std::isnan(number)) {
        out += QLatin1String("NAN");
    } else if (std::isinf(number)) {
        out += number < 0 ? QLatin1String("-INF") : QLatin1String("INF");
    } else if (number > -kFixedLimit && number < kFixedLimit &&
               number == static_cast<long double>(static_cast<std::int64_t>(number))) {
        AppendInteger(out, static_cast<std::int64_t>(number));
    } else {
        AppendGeneral(out, number);
    }
}

void AppendIndent(QString& out, int level)
{
    out.resize(out.size() + level * kIndentWidth, QLatin1Char(' '));
}

void AppendQuoted(QString& out, const QString& text)
{
    out += QLatin1Char('"');
    out += text;
    out += QLatin1Char('"');
}

// An upper bound of the written length (exact but for numbers), so the text
// is built without reallocation, a 1 MB blob included.
qsizetype TextLength(const TJSONValue& value, int level)
{
    switch (value.Kind()) {
    case TJSONKind::String:
        return value.AsString().size() + 2;
    case TJSONKind::Number:
        return kMaxNumberLength;
    case TJSONKind::Bool:
        return 5;
    case TJSONKind::Null:
        return 4;
    case TJSONKind::Object: {
        const TJSONObject& object = value.AsObject();
        qsizetype length = 1 + kLineEnd.size() + level * kIndentWidth + 1;
        for (int i = 0; i < object.Count(); ++i) {
            const TJSONMember& member = object.Item(i);
            length += (level + 1) * kIndentWidth + member.name.size() + 4 +
                      TextLength(member.value, level + 1) + 1 + kLineEnd.size();
        }
        return length;
    }
    case TJSONKind::Array: {
        const TJSONArray& array = value.AsArray();
        qsizetype length = 1 + kLineEnd.size() + level * kIndentWidth + 1;
        for (int i = 0; i < array.Count(); ++i) {
            length += (level + 1) * kIndentWidth + TextLength(array.Item(i), level + 1) + 1 +
                      kLineEnd.size();
        }
        return length;
    }
    }
    return 0;
}

// Writes the value from the current position of the current line; a nested
// array or object opens on that line and closes on its own line at level.
void WriteValue(QString& out, const TJSONValue& value, int level)
{
    switch (value.Kind()) {
    case TJSONKind::String:
        AppendQuoted(out, value.AsString());
        break;
    case TJSONKind::Number:
        AppendNumber(out, value.AsNumber());
        break;
    case TJSONKind::Bool:
        out += value.AsBool() ? QLatin1String("true") : QLatin1String("false");
        break;
    case TJSONKind::Null:
        out += QLatin1String("null");
        break;
    case TJSONKind::Object: {
        const TJSONObject& object = value.AsObject();
        out += QLatin1Char('{');
        out += kLineEnd;
        for (int i = 0; i < object.Count(); ++i) {
            const TJSONMember& member = object.Item(i);
            AppendIndent(out, level + 1);
            AppendQuoted(out, member.name);
            out += QLatin1String(": ");
            WriteValue(out, member.value, level + 1);
            if (i + 1 < object.Count())
                out += QLatin1Char(',');
            out += kLineEnd;
        }
        AppendIndent(out, level);
        out += QLatin1Char('}');
        break;
    }
    case TJSONKind::Array: {
        const TJSONArray& array = value.AsArray();
        out += QLatin1Char('[');
        out += kLineEnd;
        for (int i = 0; i < array.Count(); ++i) {
            AppendIndent(out, level + 1);
            WriteValue(out, array.Item(i), level + 1);
            if (i + 1 < array.Count())
                out += QLatin1Char(',');
            out += kLineEnd;
        }
        AppendIndent(out, level);
        out += QLatin1Char(']');
        break;
    }
    }
}

} // namespace

QString TJSONValue::ToText() const
{
    QString text;
    text.reserve(TextLength(*this, 0) + kLineEnd.size());
    WriteValue(text, *this, 0);
    text += kLineEnd;
    return text;
}
