#pragma once

#include "reports/surface.h"

#include <QStringList>
#include <QVector>

// One drawing call kept by RecordingSurface, with the pen, brush and font
// that were current when it was made.
struct SurfaceRecord
{
    enum Kind
    {
        Line,
        Polyline,
        Rectangle,
        Text,
        Picture,
    };

    Kind kind = Line;
    // Line: from and to; Polyline: every point; Rectangle and Picture:
    // top-left and bottom-right (excluded); Text: the cell's top-left corner.
    QVector<SurfacePoint> points;
    SurfaceColor penColor = kBlack;
    int penWidth = 1;
    SurfaceColor brushColor = kWhite;
    SurfaceFont font;
    // Text: the text written; Picture: the file name.
    QString text;

    // One line, e.g. `rect 10,20 30,40 pen=000000/1 brush=FFFFFF`.
    QString ToString() const;
};

// A surface that draws nothing and keeps the calls it was asked to draw, so
// that layout tests can compare what a report would put on the page. Its
// text measure is deterministic: every character (UTF-16 unit) is half the
// font's height wide (rounded down, at least one pixel), the height taken as
// its absolute value and as 16 pixels when it is 0, so widths do not depend
// on the fonts installed. Pictures are not decoded (that needs the GUI
// side): StretchDraw records a picture and succeeds when its file exists and
// can be read.
class RecordingSurface : public Surface
{
public:
    // A4 portrait at 96 pixels per inch unless told otherwise.
    explicit RecordingSurface(int pixelsPerInch = 96, int pageWidth = 794, int pageHeight = 1123);

    void SetPixelsPerInch(int pixelsPerInch) { m_pixelsPerInch = pixelsPerInch; }
    void SetPageSize(int width, int height);

    const QVector<SurfaceRecord>& Records() const { return m_records; }
    // The records' text form, one line each.
    QStringList Lines() const;
    void Clear() { m_records.clear(); }

    void SetBrushColor(SurfaceColor color) override { m_brushColor = color; }
    SurfaceColor BrushColor() const override { return m_brushColor; }
    void SetPen(SurfaceColor color, int width) override;
    SurfaceColor PenColor() const override { return m_penColor; }
    int PenWidth() const override { return m_penWidth; }

    void MoveTo(SurfacePoint point) override { m_position = point; }
    void LineTo(SurfacePoint point) override;
    void Polyline(const QVector<SurfacePoint>& points) override;
    void Rectangle(int left, int top, int right, int bottom) override;

    void SetFont(const SurfaceFont& font) override { m_font = font; }
    SurfaceFont Font() const override { return m_font; }
    void TextOut(SurfacePoint point, const QString& text) override;
    int TextWidth(const QString& text) const override;
    bool StretchDraw(int left, int top, int right, int bottom, const QString& file) override;

    int PixelsPerInch() const override { return m_pixelsPerInch; }
    int PageWidth() const override { return m_pageWidth; }
    int PageHeight() const override { return m_pageHeight; }

private:
    SurfaceRecord NewRecord(SurfaceRecord::Kind kind) const;

    QVector<SurfaceRecord> m_records;
    SurfaceColor m_brushColor = kWhite;
    SurfaceColor m_penColor = kBlack;
    int m_penWidth = 1;
    SurfacePoint m_position;
    SurfaceFont m_font;
    int m_pixelsPerInch;
    int m_pageWidth;
    int m_pageHeight;
};
