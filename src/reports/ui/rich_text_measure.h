#pragma once

#include "reports/rich_text_layout.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QSet>

#include <vector>

class OperatorMessages;

// Measures rich text with the area's font and fetches the pictures the
// content names, keeping each for drawing. Embedded pictures that are not
// pictures are left out with a message; web pictures that have not arrived
// yet are empty for now and listed in Pending().
class QtRichTextMeasure : public RichTextMeasure
{
public:
    QtRichTextMeasure(const QFont& font, OperatorMessages& messages);

    QSize TextSize(const QString& text, const RichTextStyle& style) override;
    std::optional<QSize> PictureSize(const RichPicture& picture) override;

    QFont Font(const RichTextStyle& style) const;
    // The picture measured for `picture`.
    QImage Picture(const RichPicture& picture) const;
    const QSet<QString>& Pending() const { return m_pending; }
    // The font's height in pixels, as the layout counts its lines.
    int FontHeight() const { return m_pixelHeight; }

private:
    const QFontMetrics& Metrics(const RichTextStyle& style);

    QFont m_font;
    int m_pixelHeight;
    OperatorMessages& m_messages;
    // A few styles serve a whole panel; their metrics are kept.
    std::vector<std::pair<RichTextStyle, QFontMetrics>> m_metrics;
    QHash<QByteArray, QImage> m_pictures;
    QSet<QString> m_pending;
};
