#include "app/ui/my_button.h"

#include "app/reading_room_caption.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>

myButton::myButton(const QString& name, const QString& type, const QString& barcode,
                   QWidget* parent)
    : QPushButton(parent), m_name(name), m_type(type), m_barcode(barcode)
{
    // A push button draws its text on one line; a label inside it wraps a
    // long category name instead of cutting it off.
    m_caption = new QLabel(this);
    m_caption->setWordWrap(true);
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->addWidget(m_caption);
    setObjectName(QStringLiteral("myButton_") + type);
    SetCount(0);
}

void myButton::SetCount(qint32 count)
{
    m_count = count;
    m_caption->setText(Caption());
}

QString myButton::Caption() const
{
    return ButtonCaption(m_name, m_count);
}

void myButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton && isEnabled()) {
        Q_EMIT RightPressed(this);
        return;
    }
    QPushButton::mousePressEvent(event);
}
