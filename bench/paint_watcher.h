#pragma once

#include "reports/ui/preview_picture_widget.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QObject>

// Remembers which picture the page widget painted last, so that a wait
// ends only once the page just drawn is on the screen.
class PaintWatcher : public QObject
{
public:
    explicit PaintWatcher(PreviewPictureWidget& picture) : m_picture(picture)
    {
        picture.installEventFilter(this);
    }
    ~PaintWatcher() override { m_picture.removeEventFilter(this); }

    // Processes events until the widget has painted the picture it holds.
    bool WaitForPaint() const
    {
        const QDeadlineTimer deadline(10000);
        while (m_painted != m_picture.Picture().cacheKey()) {
            if (deadline.hasExpired())
                return false;
            QApplication::processEvents();
        }
        return true;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &m_picture && event->type() == QEvent::Paint)
            m_painted = m_picture.Picture().cacheKey();
        return false;
    }

private:
    PreviewPictureWidget& m_picture;
    qint64 m_painted = 0;
};
