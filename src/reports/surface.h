#pragma once

#include <QString>
#include <QVector>

#include <cstdint>

// A point in device pixels.
struct SurfacePoint
{
    int x = 0;
    int y = 0;
};

// Colours as 0xRRGGBB.
using SurfaceColor = std::uint32_t;
inline constexpr SurfaceColor kBlack = 0x000000;
inline constexpr SurfaceColor kWhite = 0xFFFFFF;

// The font the surface writes with: face name, character set (the code of
// the script, as the report description gives it), height in device pixels
// (negative: the height of the characters without the internal leading) and
// bold style.
struct SurfaceFont
{
    QString face;
    int charset = 1;
    int height = 0;
    bool bold = false;

    bool operator==(const SurfaceFont& other) const
    {
        return face == other.face && charset == other.charset && height == other.height &&
               bold == other.bold;
    }
};

// What reports and bar codes draw on: the preview picture, a printer page, a
// PDF page, or, in tests, a recording of the calls. All positions and sizes
// are device pixels. The pen draws lines and the outline of rectangles; the
// brush fills them.
class Surface
{
public:
    virtual ~Surface() = default;

    virtual void SetBrushColor(SurfaceColor color) = 0;
    virtual SurfaceColor BrushColor() const = 0;
    virtual void SetPen(SurfaceColor color, int width) = 0;
    virtual SurfaceColor PenColor() const = 0;
    virtual int PenWidth() const = 0;

    virtual void MoveTo(SurfacePoint point) = 0;
    virtual void LineTo(SurfacePoint point) = 0;
    virtual void Polyline(const QVector<SurfacePoint>& points) = 0;
    // Fills the rectangle from (left, top) to (right, bottom), the right and
    // bottom edges excluded, with the brush, outlined with the pen.
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;

    virtual void SetFont(const SurfaceFont& font) = 0;
    virtual SurfaceFont Font() const = 0;
    // Writes `text` with its cell's top-left corner at `point`, on the
    // cell painted in the brush's colour.
    virtual void TextOut(SurfacePoint point, const QString& text) = 0;
    virtual int TextWidth(const QString& text) const = 0;
    // Draws the picture in `file` (BMP, JPEG, PNG) stretched into the
    // rectangle; false when it cannot be read.
    virtual bool StretchDraw(int left, int top, int right, int bottom, const QString& file) = 0;

    virtual int PixelsPerInch() const = 0;
    virtual int PageWidth() const = 0;
    virtual int PageHeight() const = 0;
};
