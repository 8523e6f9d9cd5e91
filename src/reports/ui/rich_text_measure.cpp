#include "reports/ui/rich_text_measure.h"

#include "operator_messages.h"
#include "reports/ui/rich_pictures.h"

#include <QBuffer>
#include <QFontInfo>
#include <QImageReader>

#include <cmath>

namespace {

QByteArray PictureKey(const RichPicture& picture)
{
    switch (picture.source) {
    case RichPicture::Source::File:
        return 'F' + picture.location.toUtf8();
    case RichPicture::Source::Web:
        return 'W' + picture.location.toUtf8();
    case RichPicture::Source::Embedded:
        break;
    }
    return 'E' + picture.bytes;
}

// The data of an embedded picture as a JPEG picture, or the reader's
// reason why it is not one.
QImage ReadEmbedded(const QByteArray& bytes, QString& error)
{
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, "jpeg");
    QImage picture = reader.read();
    if (picture.isNull())
        error = QStringLiteral("Nie można odczytać obrazka JPEG zapisanego w treści (%1)")
                    .arg(reader.errorString());
    return picture;
}

} // namespace

QtRichTextMeasure::QtRichTextMeasure(const QFont& font, OperatorMessages& messages)
    : m_font(font), m_pixelHeight(QFontInfo(font).pixelSize()), m_messages(messages)
{}

QFont QtRichTextMeasure::Font(const RichTextStyle& style) const
{
    QFont font = m_font;
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(m_pixelHeight * style.sizeFactor))));
    return font;
}

const QFontMetrics& QtRichTextMeasure::Metrics(const RichTextStyle& style)
{
    // Colour and underline do not change a text's size.
    RichTextStyle shape = style;
    shape.colour = kBlack;
    shape.underline = false;
    for (const auto& [known, metrics] : m_metrics) {
        if (known == shape)
            return metrics;
    }
    m_metrics.emplace_back(shape, QFontMetrics(Font(shape)));
    return m_metrics.back().second;
}

QSize QtRichTextMeasure::TextSize(const QString& text, const RichTextStyle& style)
{
    const QFontMetrics& metrics = Metrics(style);
    return QSize(metrics.horizontalAdvance(text), metrics.height());
}

std::optional<QSize> QtRichTextMeasure::PictureSize(const RichPicture& picture)
{
    const QByteArray key = PictureKey(picture);
    QImage image;
    switch (picture.source) {
    case RichPicture::Source::File:
        image = RichPictures::Instance().File(picture.location, m_messages);
        break;
    case RichPicture::Source::Web:
        if (const std::optional<QImage> arrived = RichPictures::Instance().Web(picture.location))
            image = *arrived;
        else
            m_pending.insert(picture.location);
        break;
    case RichPicture::Source::Embedded: {
        QString error;
        image = ReadEmbedded(picture.bytes, error);
        if (image.isNull()) {
            m_messages.ShowMessage(error);
            return std::nullopt;
        }
        break;
    }
    }
    m_pictures.insert(key, image);
    return image.size();
}

QImage QtRichTextMeasure::Picture(const RichPicture& picture) const
{
    return m_pictures.value(PictureKey(picture));
}
