#include "reports/ui/qt_surface.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QPolygon>

#include <cstdlib>

namespace {

QColor ToQColor(SurfaceColor color)
{
    return QColor::fromRgb(static_cast<QRgb>(color & 0xFFFFFFu));
}

// Right and bottom are excluded, as on the printer's own device context;
// swapped corners describe the same rectangle.
QRect DeviceRect(int left, int top, int right, int bottom)
{
    if (right < left)
        std::swap(left, right);
    if (bottom < top)
        std::swap(top, bottom);
    return QRect(left, top, right - left, bottom - top);
}

} // namespace

QtSurface::QtSurface(QPaintDevice& device) : m_device(device)
{
    m_painter.begin(&m_device);
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    ApplyPen();
}

QtSurface::~QtSurface()
{
    End();
}

void QtSurface::End()
{
    if (m_painter.isActive())
        m_painter.end();
}

void QtSurface::SetPen(SurfaceColor color, int width)
{
    m_penColor = color;
    m_penWidth = width;
    ApplyPen();
}

// A flat cap leaves out a line's end point, so lines drawn one after another
// along a polyline or a frame meet without overlapping, and a line of width w
// from x1 to x2 covers exactly x2 - x1 pixels.
void QtSurface::ApplyPen()
{
    if (m_penWidth <= 0) {
        m_painter.setPen(Qt::NoPen);
        return;
    }
    QPen pen(ToQColor(m_penColor));
    pen.setWidth(m_penWidth);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    m_painter.setPen(pen);
}

void QtSurface::LineTo(SurfacePoint point)
{
    if (m_penWidth > 0 && m_painter.isActive())
        DrawLine(m_position, point);
    m_position = point;
}

// Qt leaves out the right or lower end of a line whichever way it runs, while
// a line here ends just before its end point (so that a frame drawn as four
// lines has each corner once). A line running left or up is therefore moved
// one pixel along its main direction: its start comes in and its end goes out.
void QtSurface::DrawLine(SurfacePoint from, SurfacePoint to)
{
    const int dx = to.x - from.x;
    const int dy = to.y - from.y;
    QPoint shift;
    if (std::abs(dx) >= std::abs(dy)) {
        if (dx < 0)
            shift.setX(1);
    } else if (dy < 0) {
        shift.setY(1);
    }
    m_painter.drawLine(QPoint(from.x, from.y) + shift, QPoint(to.x, to.y) + shift);
}

// Thin polylines go segment by segment for the same end-point rule; thick ones
// in one stroke, where the joins between segments matter more than one pixel
// at the end.
void QtSurface::Polyline(const QVector<SurfacePoint>& points)
{
    if (m_penWidth <= 0 || points.size() < 2 || !m_painter.isActive())
        return;
    if (m_penWidth == 1) {
        for (int i = 1; i < points.size(); ++i)
            DrawLine(points[i - 1], points[i]);
        return;
    }
    QPolygon polygon;
    polygon.reserve(points.size());
    for (const SurfacePoint& p : points)
        polygon << QPoint(p.x, p.y);
    m_painter.drawPolyline(polygon);
}

// Filled and framed with fillRect rather than drawRect: QPainter's outline
// straddles the rectangle's edge and adds a pixel on the right and bottom,
// while the bars of a bar code must be exactly as wide as asked. The frame
// lies inside the rectangle, as wide as the pen.
void QtSurface::Rectangle(int left, int top, int right, int bottom)
{
    const QRect rect = DeviceRect(left, top, right, bottom);
    if (rect.isEmpty() || !m_painter.isActive())
        return;
    m_painter.fillRect(rect, ToQColor(m_brushColor));
    if (m_penWidth <= 0 || m_penColor == m_brushColor)
        return;
    const int frame = std::min(m_penWidth, std::min(rect.width(), rect.height()));
    const QColor pen = ToQColor(m_penColor);
    m_painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), frame), pen);
    m_painter.fillRect(QRect(rect.left(), rect.bottom() + 1 - frame, rect.width(), frame), pen);
    m_painter.fillRect(QRect(rect.left(), rect.top(), frame, rect.height()), pen);
    m_painter.fillRect(QRect(rect.right() + 1 - frame, rect.top(), frame, rect.height()), pen);
}

// A positive height is the whole cell (ascent and descent), a negative one
// the characters alone (the em size). Qt sizes fonts by the em, so a cell
// height is scaled down by the font's own cell-to-em proportion.
QFont QtSurface::ToQFont() const
{
    QFont font;
    if (!m_font.face.isEmpty())
        font.setFamily(m_font.face);
    font.setBold(m_font.bold);
    if (m_font.height < 0) {
        font.setPixelSize(-m_font.height);
    } else if (m_font.height > 0) {
        font.setPixelSize(m_font.height);
        const QFontMetrics metrics(font, &m_device);
        const int cell = metrics.ascent() + metrics.descent();
        if (cell > m_font.height)
            font.setPixelSize(std::max(1, m_font.height * m_font.height / cell));
    }
    return font;
}

const QFont& QtSurface::CurrentFont() const
{
    if (!m_madeFor || !(*m_madeFor == m_font)) {
        m_qfont = ToQFont();
        m_metrics.emplace(m_qfont, &m_device);
        m_madeFor = m_font;
        m_measured.fill(MeasuredText());
    }
    return m_qfont;
}

const QFontMetrics& QtSurface::Metrics() const
{
    CurrentFont();
    return *m_metrics;
}

void QtSurface::TextOut(SurfacePoint point, const QString& text)
{
    if (text.isEmpty() || !m_painter.isActive())
        return;
    const QFontMetrics& metrics = Metrics();
    m_painter.save();
    m_painter.setFont(CurrentFont());
    // The text cell is painted in the brush's colour first, so text over a
    // line or a picture stays readable.
    m_painter.fillRect(QRect(point.x, point.y, TextWidth(text), metrics.height()),
                       QColor::fromRgb(m_brushColor));
    // Report text is black whatever the pen: frames may be coloured, text never is.
    m_painter.setPen(QPen(Qt::black));
    m_painter.drawText(QPoint(point.x, point.y + metrics.ascent()), text);
    m_painter.restore();
}

int QtSurface::TextWidth(const QString& text) const
{
    const QFontMetrics& metrics = Metrics();
    ++m_measuring;
    // The text measured longest ago makes room; "..." and the text being
    // shortened stay while a text is fitted to its limit.
    MeasuredText* oldest = &m_measured.front();
    for (MeasuredText& measured : m_measured) {
        if (measured.text == text) {
            measured.used = m_measuring;
            return measured.width;
        }
        if (measured.used < oldest->used)
            oldest = &measured;
    }
    *oldest = {text, metrics.horizontalAdvance(text), m_measuring};
    return oldest->width;
}

bool QtSurface::StretchDraw(int left, int top, int right, int bottom, const QString& file)
{
    const QImage picture(file);
    if (picture.isNull())
        return false;
    const QRect rect = DeviceRect(left, top, right, bottom);
    if (!rect.isEmpty() && m_painter.isActive())
        m_painter.drawImage(rect, picture);
    return true;
}

int QtSurface::PixelsPerInch() const
{
    return m_device.logicalDpiY();
}

int QtSurface::PageWidth() const
{
    return m_device.width();
}

int QtSurface::PageHeight() const
{
    return m_device.height();
}
