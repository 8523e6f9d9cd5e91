#include "reports/bars.h"

#include "client/ansi_codec.h"
#include "reports/bars_encoders.h"
#include "reports/surface.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace bars {
namespace {

constexpr auto kElements = [] {
    std::array<Element, 256> elements{};
    for (std::size_t k = 0; k < 4; ++k) {
        const int widthClass = static_cast<int>(k);
        elements['0' + k] = Element{true, false, false, widthClass};
        elements['5' + k] = Element{true, true, false, widthClass};
        elements['A' + k] = Element{true, true, true, widthClass};
    }
    return elements;
}();

// The width class alone, for measuring; -1 outside the alphabet.
constexpr auto kWidthClasses = [] {
    std::array<signed char, 256> classes{};
    for (std::size_t c = 0; c < classes.size(); ++c)
        classes[c] = static_cast<signed char>(kElements[c].valid ? kElements[c].widthClass : -1);
    return classes;
}();

} // namespace

Element ElementOf(char character)
{
    return kElements[static_cast<unsigned char>(character)];
}

qint64 PatternWidth(const QByteArray& pattern, const ElementWidths& widths)
{
    qint64 total = 0;
    for (const char character : pattern) {
        const int widthClass = kWidthClasses[static_cast<unsigned char>(character)];
        if (widthClass < 0)
            ThrowInternalError(character);
        total += widths[static_cast<std::size_t>(widthClass)];
    }
    return total;
}

void ThrowInternalError(char character)
{
    throw TBarcodeError(QStringLiteral("%1: internal Error \"%2\"")
                            .arg(QLatin1String(kClassName), DataText(QByteArray(1, character))));
}

QString DataText(const QByteArray& data)
{
    return DecodeAnsi(data);
}

} // namespace bars

namespace {

// Indexed by the symbology number.
constexpr bars::Encoder kEncoders[] = {
    bars::EncodeInterleaved2of5,
    bars::EncodeIndustrial2of5,
    bars::EncodeMatrix2of5,
    bars::EncodeCode39,
    bars::EncodeCode39Extended,
    bars::EncodeCode128A,
    bars::EncodeCode128B,
    bars::EncodeCode128C,
    bars::EncodeCode93,
    bars::EncodeCode93Extended,
    bars::EncodeMsi,
    bars::EncodePostNet,
    bars::EncodeCodabar,
    bars::EncodeEan8,
    bars::EncodeEan13,
};
static_assert(std::size(kEncoders) == bcCodeEAN13 + 1);

// The symbologies that accept only the digits 0-9.
constexpr bool kNumeric[] = {
    true, true, true, false, false, false, false, true, false, false, true, true, false, true, true,
};
static_assert(std::size(kNumeric) == std::size(kEncoders));

bool IsKnownType(int typ)
{
    return typ >= 0 && typ < static_cast<int>(std::size(kEncoders));
}

// Code 128, Code 93 and EAN give every element a whole number of modules,
// 1 to 4; any other wide-to-narrow ratio would draw a symbol no scanner
// reads, so their widths follow the module alone.
bool CountsModules(int typ)
{
    switch (typ) {
    case bcCode128A:
    case bcCode128B:
    case bcCode128C:
    case bcCode93:
    case bcCode93Extended:
    case bcCodeEAN8:
    case bcCodeEAN13:
        return true;
    default:
        return false;
    }
}

// The two-width codes keep their wide elements within what their standards
// allow; matrix 2 of 5 needs a little more than the rest.
double LimitedRatio(int typ, double ratio)
{
    // A ratio that is no number, or an absurd one, must not reach the
    // conversion to whole pixels.
    if (std::isnan(ratio))
        ratio = 2.0;
    switch (typ) {
    case bcCode_2_5_interleaved:
    case bcCode_2_5_industrial:
    case bcCode39:
    case bcCode39Extended:
    case bcCodeCodabar:
    case bcCodeEAN8:
    case bcCodeEAN13:
        return std::clamp(ratio, 2.0, 3.0);
    case bcCode_2_5_matrix:
        return std::clamp(ratio, 2.25, 3.0);
    default:
        return std::clamp(ratio, 0.0, 1000.0);
    }
}

// Whole pixels: halves go to the even neighbour, as everywhere in the
// report layout.
int Pixels(double value)
{
    constexpr double kLimit = std::numeric_limits<int>::max();
    return static_cast<int>(std::nearbyint(std::clamp(value, -kLimit, kLimit)));
}

bars::ElementWidths DeriveWidths(int typ, int modul, double ratio)
{
    if (CountsModules(typ))
        return {modul, 2 * modul, 3 * modul, 4 * modul};
    const int wide = Pixels(modul * LimitedRatio(typ, ratio));
    return {modul, wide, wide * 3 / 2, 2 * wide};
}

// Only spaces are trimmed: anything else around the digits is an error the
// report's author should see.
void TrimSpaces(QByteArray& text)
{
    // Read through a const view: the non-const accessors would copy data
    // that is shared with the caller.
    const char* const data = text.constData();
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && data[first] == ' ')
        ++first;
    while (last > first && data[last - 1] == ' ')
        --last;
    if (first > 0 || last < text.size())
        text = text.mid(first, last - first);
}

void RequireDigits(const QByteArray& text)
{
    for (const char character : text) {
        if (character < '0' || character > '9')
            throw TBarcodeError(QStringLiteral("Barcode must be numeric"));
    }
}

// Puts the surface's font, pen and brush back however the drawing ends.
class SavedDrawingState
{
public:
    explicit SavedDrawingState(Surface& surface)
        : m_surface(surface), m_font(surface.Font()), m_penColor(surface.PenColor()),
          m_penWidth(surface.PenWidth()), m_brushColor(surface.BrushColor())
    {}
    ~SavedDrawingState()
    {
        m_surface.SetFont(m_font);
        m_surface.SetPen(m_penColor, m_penWidth);
        m_surface.SetBrushColor(m_brushColor);
    }
    SavedDrawingState(const SavedDrawingState&) = delete;
    SavedDrawingState& operator=(const SavedDrawingState&) = delete;

private:
    Surface& m_surface;
    SurfaceFont m_font;
    SurfaceColor m_penColor;
    int m_penWidth;
    SurfaceColor m_brushColor;
};

} // namespace

TBarcode::Layout TBarcode::Build(QByteArray& text, QByteArray& pattern, bool measure) const
{
    const int typ = Typ;
    const bars::ElementWidths widths = DeriveWidths(typ, m_modul, Ratio);
    if (IsKnownType(typ) && kNumeric[typ]) {
        TrimSpaces(text);
        RequireDigits(text);
    }
    if (!IsKnownType(typ))
        throw TBarcodeError(
            QStringLiteral("%1: wrong BarcodeType").arg(QLatin1String(bars::kClassName)));

    pattern.resize(bars::MaxPatternSize(text.size()));
    char* const begin = pattern.data();
    bars::PatternWriter writer(begin, begin + pattern.size());
    kEncoders[typ](text, writer);
    pattern.resize(writer.Next() - begin);

    Layout layout{};
    std::copy(widths.begin(), widths.end(), layout.widths);
    if (measure)
        layout.total = bars::PatternWidth(pattern, widths);
    return layout;
}

void TBarcode::SetModul(int modul)
{
    if (modul >= 1 && modul <= 49)
        m_modul = modul;
}

int TBarcode::Width() const
{
    QByteArray text = Text;
    QByteArray pattern;
    return Pixels(static_cast<double>(Build(text, pattern, true).total) * m_stretch);
}

void TBarcode::SetWidth(int width)
{
    const qint64 total = Build(Text, m_pattern, true).total;
    m_stretch = total > 0 && total < width ? width / static_cast<double>(total) : 1.0;
}

QByteArray TBarcode::Pattern()
{
    Build(Text, m_pattern, false);
    return m_pattern;
}

void TBarcode::Draw(Surface& surface)
{
    const Layout layout = Build(Text, m_pattern, false);
    const SavedDrawingState saved(surface);
    const int shortHeight = Height * 2 / 5;
    qint64 x = 0;
    for (const char character : std::as_const(m_pattern)) {
        const bars::Element element = bars::ElementOf(character);
        if (!element.valid)
            bars::ThrowInternalError(character);
        const int width = layout.widths[element.widthClass];
        // Spaces are painted too: the symbol must not show what lies under it.
        const SurfaceColor color = element.bar ? kBlack : kWhite;
        surface.SetPen(color, 1);
        surface.SetBrushColor(color);
        surface.Rectangle(Left + Pixels(static_cast<double>(x) * m_stretch), Top,
                          Left + Pixels(static_cast<double>(x + width) * m_stretch),
                          Top + (element.shortBar ? shortHeight : Height));
        x += width;
    }
}
