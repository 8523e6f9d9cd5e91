#pragma once

#include "reports/rich_text_layout.h"

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QStringList>

#include <functional>

class OperatorMessages;
class QScrollArea;

// Shows rich text content in a scrolling area: labels for the text, links
// and pictures as the layout places them. A left click on a link or a
// picture reports its identifier. Web pictures appear when they arrive: the
// content is laid out again then.
class RichTextView : public QObject
{
    Q_OBJECT
public:
    using ClickHandler = std::function<void(const QString& identifier)>;

    // `messages` hears about pictures that cannot be shown.
    RichTextView(QScrollArea& area, ClickHandler onClick, OperatorMessages& messages);

    // Replaces whatever the area showed with `lines` laid out afresh.
    void Render(const QStringList& lines);

    const RichTextLayout& Layout() const { return m_layout; }
    // Whether web pictures of the content are still on their way.
    bool WaitingForPictures() const { return !m_pending.isEmpty(); }

Q_SIGNALS:
    // The content was laid out again with pictures that had been waited for.
    void PicturesArrived();

private:
    void Show();
    void Clicked(const QString& identifier);
    void WebPictureArrived(const QString& url, const QString& error);

    QPointer<QScrollArea> m_area;
    ClickHandler m_onClick;
    OperatorMessages& m_messages;
    QStringList m_lines;
    RichTextLayout m_layout;
    QSet<QString> m_pending;
};
