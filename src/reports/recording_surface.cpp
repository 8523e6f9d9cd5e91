#include "reports/recording_surface.h"

#include <QFileInfo>

#include <cstdlib>

namespace {

QString Point(SurfacePoint point)
{
    return QStringLiteral("%1,%2").arg(point.x).arg(point.y);
}

QString Color(SurfaceColor color)
{
    return QStringLiteral("%1").arg(color, 6, 16, QLatin1Char('0')).toUpper();
}

// Quotes a text so that spaces, quotes and line breaks inside it cannot make
// two different calls print the same line.
QString Quoted(const QString& text)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        if (c == QLatin1Char('\n'))
            quoted += QStringLiteral("\\n");
        else if (c == QLatin1Char('\r'))
            quoted += QStringLiteral("\\r");
        else
            quoted += c;
    }
    return quoted + QLatin1Char('"');
}

QString Pen(const SurfaceRecord& record)
{
    return QStringLiteral(" pen=%1/%2").arg(Color(record.penColor)).arg(record.penWidth);
}

constexpr int kDefaultFontHeight = 16;

} // namespace

QString SurfaceRecord::ToString() const
{
    QString line;
    switch (kind) {
    case Line:
        line = QStringLiteral("line");
        break;
    case Polyline:
        line = QStringLiteral("polyline");
        break;
    case Rectangle:
        line = QStringLiteral("rect");
        break;
    case Text:
        line = QStringLiteral("text");
        break;
    case Picture:
        line = QStringLiteral("picture");
        break;
    }
    for (const SurfacePoint& point : points)
        line += QLatin1Char(' ') + Point(point);
    switch (kind) {
    case Line:
    case Polyline:
        line += Pen(*this);
        break;
    case Rectangle:
        line += Pen(*this) + QStringLiteral(" brush=") + Color(brushColor);
        break;
    case Text:
        line += QStringLiteral(" font=%1/%2/%3%4 %5")
                    .arg(Quoted(font.face))
                    .arg(font.charset)
                    .arg(font.height)
                    .arg(font.bold ? QStringLiteral("/bold") : QString())
                    .arg(Quoted(text));
        break;
    case Picture:
        line += QLatin1Char(' ') + Quoted(text);
        break;
    }
    return line;
}

RecordingSurface::RecordingSurface(int pixelsPerInch, int pageWidth, int pageHeight)
    : m_pixelsPerInch(pixelsPerInch), m_pageWidth(pageWidth), m_pageHeight(pageHeight)
{}

void RecordingSurface::SetPageSize(int width, int height)
{
    m_pageWidth = width;
    m_pageHeight = height;
}

QStringList RecordingSurface::Lines() const
{
    QStringList lines;
    lines.reserve(m_records.size());
    for (const SurfaceRecord& record : m_records)
        lines << record.ToString();
    return lines;
}

void RecordingSurface::SetPen(SurfaceColor color, int width)
{
    m_penColor = color;
    m_penWidth = width;
}

SurfaceRecord RecordingSurface::NewRecord(SurfaceRecord::Kind kind) const
{
    SurfaceRecord record;
    record.kind = kind;
    record.penColor = m_penColor;
    record.penWidth = m_penWidth;
    record.brushColor = m_brushColor;
    record.font = m_font;
    return record;
}

void RecordingSurface::LineTo(SurfacePoint point)
{
    SurfaceRecord record = NewRecord(SurfaceRecord::Line);
    record.points = {m_position, point};
    m_records.append(record);
    m_position = point;
}

void RecordingSurface::Polyline(const QVector<SurfacePoint>& points)
{
    SurfaceRecord record = NewRecord(SurfaceRecord::Polyline);
    record.points = points;
    m_records.append(record);
}

void RecordingSurface::Rectangle(int left, int top, int right, int bottom)
{
    SurfaceRecord record = NewRecord(SurfaceRecord::Rectangle);
    record.points = {{left, top}, {right, bottom}};
    m_records.append(record);
}

void RecordingSurface::TextOut(SurfacePoint point, const QString& text)
{
    SurfaceRecord record = NewRecord(SurfaceRecord::Text);
    record.points = {point};
    record.text = text;
    m_records.append(record);
}

int RecordingSurface::TextWidth(const QString& text) const
{
    const int height = m_font.height == 0 ? kDefaultFontHeight : std::abs(m_font.height);
    const int perCharacter = height / 2 > 0 ? height / 2 : 1;
    return static_cast<int>(text.size()) * perCharacter;
}

bool RecordingSurface::StretchDraw(int left, int top, int right, int bottom, const QString& file)
{
    const QFileInfo info(file);
    if (!info.isFile() || !info.isReadable())
        return false;
    SurfaceRecord record = NewRecord(SurfaceRecord::Picture);
    record.points = {{left, top}, {right, bottom}};
    record.text = file;
    m_records.append(record);
    return true;
}
