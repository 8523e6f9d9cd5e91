#include "reports/ui/preview_picture_widget.h"

#include <QPaintEvent>
#include <QPainter>

PreviewPictureWidget::PreviewPictureWidget(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Image1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PreviewPictureWidget::SetPicture(QImage picture)
{
    m_picture = std::move(picture);
    setFixedSize(m_picture.size());
    update();
}

void PreviewPictureWidget::SetMark(const QRect& mark)
{
    m_mark = mark;
    update();
}

// Only the part the scroll area shows is painted: a page at 400 % is
// several times the screen.
void PreviewPictureWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    painter.drawImage(area, m_picture, area);
    if (!m_mark.isEmpty() && m_mark.intersects(area)) {
        painter.fillRect(m_mark, QColor(255, 220, 0, 90));
        painter.setPen(QPen(QColor(230, 150, 0), 2));
        painter.drawRect(m_mark.adjusted(1, 1, -1, -1));
    }
}
