#include "client/json_value.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <string>

namespace {

// The reader recurses once per nested array or object; a hostile reply of a
// million "[" must end in an error, not in a stack overflow.
constexpr int kMaxDepth = 512;

// Up to 18 decimal digits always fit an unsigned 64-bit integer, and every
// such integer is exact in the 64-bit mantissa of a long double.
constexpr qsizetype kMaxFastDigits = 18;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsNumberChar(char c)
{
    return IsDigit(c) || c == '+' || c == '-' || c == '.' || c == 'E' || c == 'e';
}

// Optional sign, digits with at most one ".", at least one digit, then an
// optional exponent with its own optional sign and at least one digit.
bool IsNumberSyntax(const char* s, qsizetype n)
{
    qsizetype i = 0;
    if (i < n && (s[i] == '+' || s[i] == '-'))
        ++i;
    qsizetype digits = 0;
    bool point = false;
    for (; i < n; ++i) {
        if (IsDigit(s[i]))
            ++digits;
        else if (s[i] == '.' && !point)
            point = true;
        else
            break;
    }
    if (digits == 0)
        return false;
    if (i == n)
        return true;
    if (s[i] != 'e' && s[i] != 'E')
        return false;
    ++i;
    if (i < n && (s[i] == '+' || s[i] == '-'))
        ++i;
    if (i == n)
        return false;
    for (; i < n; ++i) {
        if (!IsDigit(s[i]))
            return false;
    }
    return true;
}

// Replies carry mostly small integers (kinds, counts, codes); they skip the
// general conversion.
bool ToPlainInteger(const char* s, qsizetype n, long double& number)
{
    const bool negative = n > 0 && s[0] == '-';
    const qsizetype first = negative ? 1 : 0;
    if (n == first || n - first > kMaxFastDigits)
        return false;
    std::uint64_t whole = 0;
    for (qsizetype i = first; i < n; ++i) {
        if (!IsDigit(s[i]))
            return false;
        whole = whole * 10 + static_cast<std::uint64_t>(s[i] - '0');
    }
    number = static_cast<long double>(whole);
    if (negative)
        number = -number;
    return true;
}

// The program may run under a locale with a decimal comma; numbers in JSON
// always use ".", so the conversion uses the C locale explicitly.
locale_t CLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return locale;
}

bool ToNumber(const char* s, qsizetype n, long double& number)
{
    if (ToPlainInteger(s, n, number))
        return true;
    if (!IsNumberSyntax(s, n))
        return false;
    const std::string ascii(s, static_cast<std::size_t>(n));
    char* end = nullptr;
    errno = 0;
    number = strtold_l(ascii.c_str(), &end, CLocale());
    // A result too small to hold becomes zero; only overflow is an error.
    return end == ascii.c_str() + ascii.size() && !(errno == ERANGE && std::isinf(number));
}

class JsonReader
{
public:
    explicit JsonReader(const QByteArray& text) : m_data(text.constData()), m_size(text.size()) {}

    void ReadDocument(TJSONValue& value)
    {
        TJSONKind kind;
        if (!DetectKind(kind))
            Fail("Value not found");
        if (kind != value.Kind())
            Fail("Type mismatch");
        ReadValue(value);
        SkipWhitespace();
        if (m_pos < m_size)
            Fail("Ending error");
    }

private:
    [[noreturn]] void Fail(const char* message) const
    {
        throw TJSONError(QLatin1String(message) + QStringLiteral(" (") + QString::number(m_line) +
                         QLatin1Char(')'));
    }

    // Every byte up to 32 is whitespace; bytes of a multi-byte UTF-8
    // character are all above 127, so they never count. Line numbers count
    // only the line feeds passed between values; a line feed inside a string
    // does not move them.
    void SkipWhitespace()
    {
        while (m_pos < m_size && static_cast<unsigned char>(m_data[m_pos]) <= 32) {
            if (m_data[m_pos] == '\n')
                ++m_line;
            ++m_pos;
        }
    }

    bool Follows(const char* word, qsizetype length) const
    {
        return m_size - m_pos >= length &&
               std::memcmp(m_data + m_pos, word, static_cast<std::size_t>(length)) == 0;
    }

    // Skips whitespace and tells which kind of value starts there. A quote,
    // "{" or "[" as the very last character starts nothing.
    bool DetectKind(TJSONKind& kind)
    {
        SkipWhitespace();
        if (m_pos >= m_size)
            return false;
        const char c = m_data[m_pos];
        const bool last = m_pos + 1 == m_size;
        if (c == '"' && !last)
            kind = TJSONKind::String;
        else if (c == '-' || IsDigit(c))
            kind = TJSONKind::Number;
        else if (c == '{' && !last)
            kind = TJSONKind::Object;
        else if (c == '[' && !last)
            kind = TJSONKind::Array;
        else if (Follows("true", 4) || Follows("false", 5))
            kind = TJSONKind::Bool;
        else if (Follows("null", 4))
            kind = TJSONKind::Null;
        else
            return false;
        return true;
    }

    bool At(char c) const { return m_pos < m_size && m_data[m_pos] == c; }

    void ReadValue(TJSONValue& value)
    {
        switch (value.Kind()) {
        case TJSONKind::String:
            value.SetRawString(ReadQuoted("String ending error"));
            break;
        case TJSONKind::Number:
            value.SetNumber(ReadNumber());
            break;
        case TJSONKind::Object:
            ReadObject(value.AsObject());
            break;
        case TJSONKind::Array:
            ReadArray(value.AsArray());
            break;
        case TJSONKind::Bool:
            value.SetBool(At('t'));
            m_pos += value.AsBool() ? 4 : 5;
            break;
        case TJSONKind::Null:
            m_pos += 4;
            break;
        }
    }

    // The raw text after the opening quote up to the first quote that is not
    // escaped, that is, preceded by an even number of backslashes. A blob
    // of tens of megabytes holds no quote, so finding its end is one memchr
    // and taking it one copy.
    QByteArray ReadQuoted(const char* endingError)
    {
        const qsizetype start = m_pos + 1;
        qsizetype quote = start;
        for (;;) {
            const void* found =
                std::memchr(m_data + quote, '"', static_cast<std::size_t>(m_size - quote));
            if (found == nullptr)
                Fail(endingError);
            quote = static_cast<const char*>(found) - m_data;
            qsizetype backslashes = 0;
            while (quote - backslashes > start && m_data[quote - backslashes - 1] == '\\')
                ++backslashes;
            if (backslashes % 2 == 0)
                break;
            ++quote;
        }
        m_pos = quote + 1;
        return QByteArray(m_data + start, quote - start);
    }

    long double ReadNumber()
    {
        const qsizetype start = m_pos;
        while (m_pos < m_size && IsNumberChar(m_data[m_pos]))
            ++m_pos;
        long double number = 0;
        if (!ToNumber(m_data + start, m_pos - start, number))
            Fail("Number format error");
        return number;
    }

    void EnterNesting()
    {
        if (++m_depth > kMaxDepth)
            Fail("Nesting depth error");
    }

    // A comma right before "]" (or "}" in an object) ends the list like the
    // bracket alone: "[1,]" holds one value.
    void ReadArray(TJSONArray& array)
    {
        EnterNesting();
        for (;;) {
            ++m_pos; // over "[" or ","
            TJSONKind kind;
            if (!DetectKind(kind)) {
                if (!At(']'))
                    Fail("Array value error");
                break;
            }
            ReadValue(array.Item(array.Add(TJSONValue(kind))));
            SkipWhitespace();
            if (At(']'))
                break;
            if (!At(','))
                Fail("Array error");
        }
        ++m_pos; // over "]"
        --m_depth;
    }

    void ReadObject(TJSONObject& object)
    {
        EnterNesting();
        for (;;) {
            ++m_pos; // over "{" or ","
            TJSONKind kind;
            if (!DetectKind(kind)) {
                if (!At('}'))
                    Fail("Object member name error");
                break;
            }
            if (kind != TJSONKind::String)
                Fail("Object member name error");
            QString name = QString::fromUtf8(ReadQuoted("Object member name ending error"));
            SkipWhitespace();
            if (!At(':'))
                Fail("Colon error");
            ++m_pos;
            if (!DetectKind(kind))
                Fail("Object member value error");
            ReadValue(object.Item(object.Add(TJSONMember(std::move(name), kind))).value);
            SkipWhitespace();
            if (At('}'))
                break;
            if (!At(','))
                Fail("Object error");
        }
        ++m_pos; // over "}"
        --m_depth;
    }

    const char* m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;
    int m_line = 1;
    int m_depth = 0;
};

} // namespace

void TJSONValue::Parse(const QByteArray& utf8)
{
    m_payload = EmptyPayload(Kind());
    JsonReader(utf8).ReadDocument(*this);
}

// Every character the syntax looks at is ASCII, so the UTF-8 form of the
// text parses to the same values, lines and errors.
void TJSONValue::Parse(const QString& text)
{
    Parse(text.toUtf8());
}
