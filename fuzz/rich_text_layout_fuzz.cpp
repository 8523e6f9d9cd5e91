// Rich text content comes from the form's owner: any lines must lay out
// without a crash, a hang or a sanitizer finding, and every character of the
// text runs must be placed at most once.
#include "client/ansi_code_page.h"
#include "reports/rich_text_layout.h"

#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Characters of a few widths, as a proportional font has them; pictures
// take their size from their data's length, and some data is no picture.
class VaryingMeasure : public RichTextMeasure
{
public:
    QSize TextSize(const QString& text, const RichTextStyle& style) override
    {
        int width = 0;
        for (const QChar character : text)
            width += 3 + character.unicode() % 9;
        return QSize(static_cast<int>(width * style.sizeFactor),
                     static_cast<int>(14 * style.sizeFactor));
    }
    std::optional<QSize> PictureSize(const RichPicture& picture) override
    {
        const qsizetype length = picture.bytes.size() + picture.location.size();
        if (picture.source == RichPicture::Source::Embedded && length % 3 == 0)
            return std::nullopt;
        return QSize(int(length % 500), int(length % 300));
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    // The first byte chooses the area's width, the rest are the lines.
    const int width = data[0] * 4;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    QStringList lines;
    qsizetype textLength = 0;
    for (const QByteArray& line : bytes.split('\n')) {
        lines << DecodeCodePage(line);
        textLength += line.size();
    }
    VaryingMeasure measure;
    const RichTextLayout layout = LayOutRichText(lines, {width, 17, 12}, measure);
    qsizetype placed = 0;
    for (const RichPlacedItem& item : layout.items) {
        if (item.kind != RichPlacedItem::Kind::Picture && item.text.isEmpty())
            std::abort();
        placed += item.text.size();
    }
    if (placed > textLength)
        std::abort();
    return 0;
}
