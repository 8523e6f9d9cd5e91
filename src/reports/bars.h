#pragma once

#include <QByteArray>
#include <QString>

class Surface;

// The fifteen symbologies; a report's "MODE=n" picks number n - 1.
enum TBarcodeType
{
    bcCode_2_5_interleaved,
    bcCode_2_5_industrial,
    bcCode_2_5_matrix,
    bcCode39,
    bcCode39Extended,
    bcCode128A,
    bcCode128B,
    bcCode128C,
    bcCode93,
    bcCode93Extended,
    bcCodeMSI,
    bcCodePostNet,
    bcCodeCodabar,
    bcCodeEAN8,
    bcCodeEAN13,
};

// A bar-code data error: data the symbology cannot hold, a wrong length, a
// wrong type. The report that draws the code shows its text.
class TBarcodeError
{
public:
    explicit TBarcodeError(QString text) : m_text(std::move(text)) {}
    const QString& Text() const { return m_text; }

private:
    QString m_text;
};

// A one-dimensional bar code. It first builds a pattern string, one
// character per bar or space ("0".."3" spaces, "5".."8" bars, "A".."D"
// short bars, of widths w0..w3), then draws the pattern as filled
// rectangles. Building throws TBarcodeError on data it cannot encode.
class TBarcode
{
public:
    QByteArray Text; // the data, 8-bit
    TBarcodeType Typ = bcCodeEAN13;
    double Ratio = 2.0;
    int Height = 0;
    int Left = 0;
    int Top = 0;
    bool Checksum = false; // not used by reports
    bool ShowText = false; // not used by reports
    int Angle = 0;         // not used by reports

    int Modul() const { return m_modul; }
    // Values outside 1..49 are ignored.
    void SetModul(int modul);

    // The total width in pixels, stretched.
    int Width() const;
    // Builds the pattern and stretches the symbol to `width` when it is
    // naturally narrower; never shrinks it.
    void SetWidth(int width);

    // The pattern of the current data and symbology.
    QByteArray Pattern();

    // Draws the symbol on `surface`, leaving its font, pen and brush as they were.
    void Draw(Surface& surface);

private:
    // What a build yields besides the pattern: the pixel widths of the four
    // element classes and, when asked for, the natural (unstretched) total
    // width.
    struct Layout
    {
        int widths[4];
        qint64 total;
    };

    // Checks `text` for the current symbology (trimming it in place when
    // the symbology is numeric) and builds its pattern into `pattern`.
    Layout Build(QByteArray& text, QByteArray& pattern, bool measure) const;

    int m_modul = 1;
    double m_stretch = 1.0;
    // Kept from build to build so that building reuses its memory.
    QByteArray m_pattern;
};
