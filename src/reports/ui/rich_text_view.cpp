#include "reports/ui/rich_text_view.h"

#include "operator_messages.h"
#include "reports/ui/clickable_label.h"
#include "reports/ui/rich_pictures.h"
#include "reports/ui/rich_text_measure.h"

#include <QColor>
#include <QScrollArea>
#include <QStyle>

namespace {

QColor ToQColor(SurfaceColor colour)
{
    return QColor(static_cast<int>((colour >> 16) & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>(colour & 0xFF));
}

void ShowText(QLabel& label, const RichPlacedItem& item, const QtRichTextMeasure& measure)
{
    label.setTextFormat(Qt::PlainText);
    label.setText(item.text);
    label.setFont(measure.Font(item.style));
    label.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label.setContentsMargins(0, 0, 0, 0);
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, ToQColor(item.style.colour));
    label.setPalette(palette);
}

} // namespace

RichTextView::RichTextView(QScrollArea& area, ClickHandler onClick, OperatorMessages& messages)
    : QObject(&area), m_area(&area), m_onClick(std::move(onClick)), m_messages(messages)
{
    connect(&RichPictures::Instance(), &RichPictures::WebPictureArrived, this,
            &RichTextView::WebPictureArrived);
}

void RichTextView::Render(const QStringList& lines)
{
    m_lines = lines;
    Show();
}

void RichTextView::Show()
{
    QScrollArea& area = *m_area;
    QtRichTextMeasure measure(area.font(), m_messages);
    // The layout keeps the scroll bar's room free whether or not it shows.
    const int scrollBar = area.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &area);
    const RichTextArea size{area.width(), scrollBar, measure.FontHeight()};
    m_layout = LayOutRichText(m_lines, size, measure);
    m_pending = measure.Pending();

    // The old content goes with its widget; the new one is built hidden, so
    // that the area does not rearrange itself for every label.
    auto* content = new QWidget;
    content->setFont(area.font());
    if (m_layout.background) {
        QPalette palette = content->palette();
        palette.setColor(QPalette::Window, ToQColor(*m_layout.background));
        content->setPalette(palette);
        content->setAutoFillBackground(true);
    }
    const ClickableLabel::Handler onClick = [this](const QString& identifier) {
        Clicked(identifier);
    };
    for (const RichPlacedItem& item : m_layout.items) {
        QLabel* label = nullptr;
        switch (item.kind) {
        case RichPlacedItem::Kind::Text:
            label = new QLabel(content);
            ShowText(*label, item, measure);
            break;
        case RichPlacedItem::Kind::Link:
            label = new LMLink(item.text, item.identifier, onClick, content);
            ShowText(*label, item, measure);
            break;
        case RichPlacedItem::Kind::Picture:
            label = new LMimage(measure.Picture(item.picture), item.identifier,
                                item.clickable ? onClick : ClickableLabel::Handler(), content);
            break;
        }
        label->setGeometry(item.rect);
    }
    // The area's own size, not its viewport's: the viewport has its size
    // only once the area has been shown.
    const QSize extent = m_layout.Extent();
    const QSize visible = area.maximumViewportSize();
    content->resize(std::max(extent.width(), visible.width()),
                    std::max(extent.height(), visible.height()));
    area.setWidget(content);
}

// The click is answered once the press is over: the answer may lay the
// content out again, which deletes the label that was pressed.
void RichTextView::Clicked(const QString& identifier)
{
    QMetaObject::invokeMethod(
        this,
        [this, identifier] {
            if (m_onClick)
                m_onClick(identifier);
        },
        Qt::QueuedConnection);
}

void RichTextView::WebPictureArrived(const QString& url, const QString& error)
{
    if (!m_pending.contains(url) || !m_area)
        return;
    if (!error.isEmpty())
        m_messages.ShowMessage(QStringLiteral("Nie można pobrać obrazka %1: %2").arg(url, error));
    Show();
    Q_EMIT PicturesArrived();
}
