#include "reports/ui/clickable_label.h"

#include <QMouseEvent>
#include <QPixmap>

#include <utility>

ClickableLabel::ClickableLabel(QString identifier, Handler onClick, QWidget* parent)
    : QLabel(parent), m_identifier(std::move(identifier)), m_onClick(std::move(onClick))
{
    if (m_onClick)
        setCursor(Qt::PointingHandCursor);
}

void ClickableLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_onClick) {
        m_onClick(m_identifier);
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

LMLink::LMLink(const QString& text, QString identifier, Handler onClick, QWidget* parent)
    : ClickableLabel(std::move(identifier), std::move(onClick), parent)
{
    setTextFormat(Qt::PlainText);
    setText(text);
}

LMimage::LMimage(const QImage& picture, QString identifier, Handler onClick, QWidget* parent)
    : ClickableLabel(std::move(identifier), std::move(onClick), parent)
{
    setPixmap(QPixmap::fromImage(picture));
}
