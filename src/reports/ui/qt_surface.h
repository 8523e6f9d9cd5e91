#pragma once

#include "reports/surface.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <array>
#include <optional>

class QPaintDevice;

// The report surface over a Qt paint device: the preview picture (QImage),
// later the printer (QPrinter) and PDF files (QPdfWriter). It paints without
// antialiasing so that bars and frames land on whole device pixels.
//
// Writing and measuring text needs a QGuiApplication (fonts come from the
// platform); everything else works with a plain QCoreApplication, so the
// font is only turned into a QFont when text is written or measured.
class QtSurface : public Surface
{
public:
    // Paints on `device` until this surface is destroyed or End() is called.
    explicit QtSurface(QPaintDevice& device);
    ~QtSurface() override;

    QtSurface(const QtSurface&) = delete;
    QtSurface& operator=(const QtSurface&) = delete;

    // Finishes painting; the device is complete afterwards.
    void End();

    void SetBrushColor(SurfaceColor color) override { m_brushColor = color; }
    SurfaceColor BrushColor() const override { return m_brushColor; }
    void SetPen(SurfaceColor color, int width) override;
    SurfaceColor PenColor() const override { return m_penColor; }
    int PenWidth() const override { return m_penWidth; }

    void MoveTo(SurfacePoint point) override { m_position = point; }
    void LineTo(SurfacePoint point) override;
    void Polyline(const QVector<SurfacePoint>& points) override;
    void Rectangle(int left, int top, int right, int bottom) override;

    // The character set is kept for Font() only: Qt chooses the script of
    // each character itself.
    void SetFont(const SurfaceFont& font) override { m_font = font; }
    SurfaceFont Font() const override { return m_font; }
    void TextOut(SurfacePoint point, const QString& text) override;
    int TextWidth(const QString& text) const override;
    bool StretchDraw(int left, int top, int right, int bottom, const QString& file) override;

    int PixelsPerInch() const override;
    int PageWidth() const override;
    int PageHeight() const override;

protected:
    // Everything drawn from now on is `factor` times larger on the device.
    void ScaleDrawing(double factor) { m_painter.scale(factor, factor); }

private:
    QFont ToQFont() const;
    // The font for m_font and its metrics on the device, made again only
    // when the font changes: a page measures its texts hundreds of times,
    // and making a font and its metrics costs more than measuring with them.
    const QFont& CurrentFont() const;
    const QFontMetrics& Metrics() const;
    void ApplyPen();
    void DrawLine(SurfacePoint from, SurfacePoint to);

    QPaintDevice& m_device;
    QPainter m_painter;
    SurfaceColor m_brushColor = kWhite;
    SurfaceColor m_penColor = kBlack;
    int m_penWidth = 1;
    SurfacePoint m_position;
    SurfaceFont m_font;
    mutable std::optional<SurfaceFont> m_madeFor;
    mutable QFont m_qfont;
    mutable std::optional<QFontMetrics> m_metrics;
    // The widths of the texts measured last in the current font: the report
    // measures a text, writes it and measures it again, and writing
    // measures it too, each time shaping it anew.
    struct MeasuredText
    {
        QString text;
        int width = 0;
        quint64 used = 0;
    };
    mutable std::array<MeasuredText, 8> m_measured;
    mutable quint64 m_measuring = 0;
};
