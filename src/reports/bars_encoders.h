#pragma once

// Inside the bar-code component: one encoder per symbology, each appending
// the pattern of its data (one character per bar or space, see bars.h) and
// nothing else. Widths and drawing are TBarcode's business.

#include "reports/bars.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <array>
#include <cstddef>
#include <cstring>

namespace bars {

// Where an encoder writes its pattern: straight into memory that TBarcode
// sized for the longest pattern the data can give (20 elements per data
// character, 32 for start, checks and stop), so that building a pattern
// allocates nothing and appends without bookkeeping. Debug builds check
// that the bound holds.
class PatternWriter
{
public:
    PatternWriter(char* begin, char* end) : m_next(begin), m_end(end) {}

    void Put(char element)
    {
        Q_ASSERT(m_next < m_end);
        *m_next++ = element;
    }
    void Put(const char* elements, std::size_t count)
    {
        Q_ASSERT(count <= static_cast<std::size_t>(m_end - m_next));
        std::memcpy(m_next, elements, count);
        m_next += count;
    }
    template <std::size_t Length> void Put(const char (&literal)[Length])
    {
        Put(literal, Length - 1);
    }
    template <std::size_t Length> void Put(const std::array<char, Length>& part)
    {
        Put(part.data(), Length);
    }

    char* Next() const { return m_next; }

private:
    char* m_next;
    char* m_end;
};

// The most pattern characters `dataSize` bytes of data can give.
constexpr qsizetype MaxPatternSize(qsizetype dataSize)
{
    return dataSize * 20 + 32;
}

// Writes the pattern of `data` to `pattern`. Throws TBarcodeError on data
// the symbology cannot hold. The numeric symbologies get digits only:
// TBarcode checks them before it calls the encoder.
using Encoder = void (*)(const QByteArray& data, PatternWriter& pattern);

void EncodeInterleaved2of5(const QByteArray& data, PatternWriter& pattern);
void EncodeIndustrial2of5(const QByteArray& data, PatternWriter& pattern);
void EncodeMatrix2of5(const QByteArray& data, PatternWriter& pattern);
void EncodeCode39(const QByteArray& data, PatternWriter& pattern);
void EncodeCode39Extended(const QByteArray& data, PatternWriter& pattern);
void EncodeCode128A(const QByteArray& data, PatternWriter& pattern);
void EncodeCode128B(const QByteArray& data, PatternWriter& pattern);
void EncodeCode128C(const QByteArray& data, PatternWriter& pattern);
void EncodeCode93(const QByteArray& data, PatternWriter& pattern);
void EncodeCode93Extended(const QByteArray& data, PatternWriter& pattern);
void EncodeMsi(const QByteArray& data, PatternWriter& pattern);
void EncodePostNet(const QByteArray& data, PatternWriter& pattern);
void EncodeCodabar(const QByteArray& data, PatternWriter& pattern);
void EncodeEan8(const QByteArray& data, PatternWriter& pattern);
void EncodeEan13(const QByteArray& data, PatternWriter& pattern);

// The widths of the four element classes, in pixels before stretching.
using ElementWidths = std::array<int, 4>;

// One pattern character: a bar or a space of width class 0..3, full height
// or, for a short bar, 2/5 of it.
struct Element
{
    bool valid = false;
    bool bar = false;
    bool shortBar = false;
    int widthClass = 0;
};

// The element a pattern character stands for; `valid` is false for any
// character outside the alphabet.
Element ElementOf(char character);

// The total width of `pattern`; throws the internal error for a character
// outside the alphabet.
qint64 PatternWidth(const QByteArray& pattern, const ElementWidths& widths);

// The error texts name the component's class.
inline constexpr char kClassName[] = "TBarcode";

// "<class>: internal Error "c"" for a pattern character outside the alphabet.
[[noreturn]] void ThrowInternalError(char character);

// 8-bit data as it appears inside an error text.
QString DataText(const QByteArray& data);

// Tables of the standards are written the way the standards print them:
// either wide flags ("1" wide, "0" narrow) or module counts ("1".."4"), for
// elements that alternate bar and space and begin with a bar. These turn
// them into pattern characters when the program is compiled.

constexpr char BarOrSpace(std::size_t element, int widthClass)
{
    return static_cast<char>((element % 2 == 0 ? '5' : '0') + widthClass);
}

template <std::size_t Count, std::size_t Length>
constexpr auto PatternsFromWideFlags(const char (&flags)[Count][Length])
{
    std::array<std::array<char, Length - 1>, Count> patterns{};
    for (std::size_t s = 0; s < Count; ++s)
        for (std::size_t e = 0; e + 1 < Length; ++e)
            patterns[s][e] = BarOrSpace(e, flags[s][e] == '1' ? 1 : 0);
    return patterns;
}

template <std::size_t Count, std::size_t Length>
constexpr auto PatternsFromModules(const char (&modules)[Count][Length])
{
    std::array<std::array<char, Length - 1>, Count> patterns{};
    for (std::size_t s = 0; s < Count; ++s)
        for (std::size_t e = 0; e + 1 < Length; ++e)
            patterns[s][e] = BarOrSpace(e, modules[s][e] - '1');
    return patterns;
}

// The position of each character in `alphabet`, -1 for characters not in it.
template <std::size_t Length>
constexpr std::array<signed char, 256> IndexOf(const char (&alphabet)[Length])
{
    std::array<signed char, 256> index{};
    for (auto& i : index)
        i = -1;
    for (std::size_t i = 0; i + 1 < Length; ++i)
        index[static_cast<unsigned char>(alphabet[i])] = static_cast<signed char>(i);
    return index;
}

} // namespace bars
