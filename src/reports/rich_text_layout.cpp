#include "reports/rich_text_layout.h"

#include "reports/escaped_picture_bytes.h"
#include "reports/rich_text_arguments.h"
#include "reports/rich_text_line.h"

#include "client/base64.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kInitialLeftMargin = 2;
// Text and pictures keep this far from the scroll bar.
constexpr int kRightGap = 6;
// Pictures in a row stand this far apart and above the text below them.
constexpr int kPictureGap = 3;
// Pictures to the left of the margin stand this far apart.
constexpr int kLeftPictureGap = 2;
constexpr double kLineSpacing = 1.3;
constexpr SurfaceColor kLinkColour = 0x0000FF;

enum class PictureMode : unsigned char
{
    Row,
    Column,
    Left
};

class Layouter
{
public:
    Layouter(const RichTextArea& area, RichTextMeasure& measure)
        : m_area(area), m_measure(measure),
          m_fullRight(area.width - area.scrollBarWidth - kRightGap), m_rightLimit(m_fullRight),
          m_rowNextRight(m_fullRight)
    {
        m_lineHeight = LineHeight();
    }

    void Line(const QString& line)
    {
        for (const RichTextPiece& piece : SplitRichTextLine(line)) {
            if (piece.command)
                Command(piece.letter, piece.text);
            else
                Run(piece.text.toString(), m_style, RichPlacedItem::Kind::Text, QString());
        }
    }

    RichTextLayout Take() { return std::move(m_layout); }

private:
    int LineHeight() const
    {
        return static_cast<int>(
            std::lround(std::abs(m_area.fontHeight) * kLineSpacing * m_style.sizeFactor));
    }

    void NewLine()
    {
        m_y += m_lineHeight;
        m_x = m_leftMargin;
    }

    void Command(QChar letter, QStringView argument)
    {
        switch (letter.unicode()) {
        case u'/':
            m_y = std::max(m_y + m_lineHeight, m_pictureFloor);
            m_x = m_leftMargin;
            break;
        case u'A':
            PlacementMode(argument);
            break;
        case u'B':
            FilePicture(argument);
            break;
        case u'C':
            if (const auto colour = RichTextColour(argument))
                m_style.colour = *colour;
            break;
        case u'D':
            WebPicture(argument);
            break;
        case u'H':
            if (const auto factor = RichTextSizeFactor(argument)) {
                m_style.sizeFactor = *factor;
                m_lineHeight = LineHeight();
            }
            break;
        case u'I':
            EscapedPicture(argument);
            break;
        case u'J':
            Base64Picture(argument);
            break;
        case u'L':
            Link(argument);
            break;
        case u'R':
            if (const auto colour = RichTextColour(argument))
                m_layout.background = *colour;
            break;
        case u'S':
            m_style.bold = argument.contains(u'B');
            m_style.italic = argument.contains(u'I');
            break;
        case u'X':
            if (const auto margin = RichTextInteger(argument)) {
                m_leftMargin = std::max(kInitialLeftMargin, *margin);
                m_x = m_leftMargin;
            }
            break;
        case u'Y':
            if (const auto y = RichTextInteger(argument))
                m_y = *y;
            break;
        default:
            break; // a letter this program does not know
        }
    }

    void PlacementMode(QStringView argument)
    {
        if (argument.isEmpty())
            return;
        switch (argument[0].unicode()) {
        case u'H':
            m_mode = PictureMode::Row;
            m_rowNextRight = m_fullRight;
            m_rowTop = m_rowBottom;
            break;
        case u'V':
            m_mode = PictureMode::Column;
            m_rowNextRight = m_rightLimit;
            m_rowTop = 0;
            break;
        case u'L':
            m_mode = PictureMode::Left;
            m_pictureFloor = m_y;
            break;
        default:
            break;
        }
    }

    // A run of text (or a link's text) over as many labels as it needs.
    void Run(QString rest, const RichTextStyle& style, RichPlacedItem::Kind kind,
             const QString& identifier)
    {
        while (!rest.isEmpty()) {
            qsizetype fit = FittingWords(rest, style);
            if (fit == rest.size()) {
                m_x = Place(rest, style, kind, identifier).right() + 1;
                return;
            }
            if (fit == 0) {
                if (m_x > m_leftMargin) {
                    NewLine();
                    continue;
                }
                fit = FittingCharacters(rest, style);
            }
            if (!rest.left(fit).trimmed().isEmpty())
                Place(rest.left(fit), style, kind, identifier);
            // The spaces where the line breaks are not carried over.
            qsizetype next = fit;
            while (next < rest.size() && rest[next] == u' ')
                ++next;
            rest.remove(0, next);
            NewLine();
        }
    }

    bool Fits(const QString& text, const RichTextStyle& style)
    {
        return m_x + m_measure.TextSize(text, style).width() <= m_rightLimit;
    }

    // How many characters of `rest` fit on this line, ending after a whole
    // word (spaces before the first word belong to it): all of it, or 0
    // when not even the first word fits. Label widths grow with the text,
    // so the longest fitting number of words is found by halving.
    qsizetype FittingWords(const QString& rest, const RichTextStyle& style)
    {
        if (Fits(rest, style))
            return rest.size();
        std::vector<qsizetype> wordEnds;
        for (qsizetype i = 0; i < rest.size(); ++i) {
            if (rest[i] != u' ' && (i + 1 == rest.size() || rest[i + 1] == u' '))
                wordEnds.push_back(i + 1);
        }
        // The whole rest is known not to fit; so neither does its last word's end.
        if (!wordEnds.empty() && wordEnds.back() == rest.size())
            wordEnds.pop_back();
        std::size_t low = 0; // words known to fit
        std::size_t high = wordEnds.size();
        while (low < high) {
            const std::size_t middle = (low + high + 1) / 2;
            if (Fits(rest.left(wordEnds[middle - 1]), style))
                low = middle;
            else
                high = middle - 1;
        }
        return low == 0 ? 0 : wordEnds[low - 1];
    }

    // A word wider than the line: as many of its first characters as fit,
    // and at least one, so that the text always moves on.
    qsizetype FittingCharacters(const QString& rest, const RichTextStyle& style)
    {
        qsizetype low = 1;
        qsizetype high = rest.size();
        while (low < high) {
            const qsizetype middle = (low + high + 1) / 2;
            if (Fits(rest.left(middle), style))
                low = middle;
            else
                high = middle - 1;
        }
        return low;
    }

    QRect Place(const QString& text, const RichTextStyle& style, RichPlacedItem::Kind kind,
                const QString& identifier)
    {
        RichPlacedItem item;
        item.kind = kind;
        item.rect = QRect(QPoint(m_x, m_y), m_measure.TextSize(text, style));
        item.text = text;
        item.style = style;
        item.identifier = identifier;
        item.clickable = kind == RichPlacedItem::Kind::Link;
        m_layout.items.push_back(std::move(item));
        return m_layout.items.back().rect;
    }

    void Link(QStringView argument)
    {
        const RichTextLink link = ParseRichTextLink(argument);
        RichTextStyle style = m_style;
        style.colour = kLinkColour;
        style.underline = true;
        Run(link.text, style, RichPlacedItem::Kind::Link, link.identifier);
    }

    void FilePicture(QStringView argument)
    {
        const RichTextIdentified split = SplitRichTextIdentifier(argument);
        const QString file = split.rest.toString();
        Picture({RichPicture::Source::File, file, {}},
                split.hasIdentifier ? split.identifier : file, true);
    }

    void WebPicture(QStringView argument)
    {
        const RichTextIdentified split = SplitRichTextIdentifier(argument);
        Picture({RichPicture::Source::Web, split.rest.toString(), {}},
                QStringLiteral("COV") + split.identifier, false);
    }

    void EscapedPicture(QStringView argument)
    {
        const RichTextIdentified split = SplitRichTextIdentifier(argument);
        Picture({RichPicture::Source::Embedded, {}, DecodeEscapedPictureBytes(split.rest)},
                split.identifier, true);
    }

    // Two characters, the identifier, "||", two more characters and the
    // base64 text; without "||" there is no identifier and the data
    // follows the first two characters.
    void Base64Picture(QStringView argument)
    {
        const RichTextIdentified split = SplitRichTextIdentifier(argument.mid(2));
        const QStringView data = split.hasIdentifier ? split.rest.mid(2) : split.rest;
        Picture({RichPicture::Source::Embedded, {}, Base64Decode(data.toLatin1())},
                QStringLiteral("IPUB") + split.identifier, true);
    }

    void Picture(RichPicture picture, const QString& identifier, bool clickable)
    {
        const std::optional<QSize> size = m_measure.PictureSize(picture);
        if (!size)
            return;
        const int width = std::max(size->width(), 0);
        const int height = std::max(size->height(), 0);
        QPoint topLeft;
        if (m_mode == PictureMode::Left) {
            topLeft = QPoint(m_leftMargin - width, m_pictureFloor);
            m_pictureFloor += height + kLeftPictureGap;
        } else {
            topLeft = QPoint(m_rowNextRight - width, m_rowTop);
            m_rowNextRight = topLeft.x() - kPictureGap;
            m_rightLimit = std::min(m_rightLimit, topLeft.x() - kPictureGap);
            m_rowBottom = std::max(m_rowBottom, m_rowTop + height + kPictureGap);
        }
        RichPlacedItem item;
        item.kind = RichPlacedItem::Kind::Picture;
        item.rect = QRect(topLeft, QSize(width, height));
        item.identifier = identifier;
        item.clickable = clickable;
        item.picture = std::move(picture);
        m_layout.items.push_back(std::move(item));
    }

    const RichTextArea m_area;
    RichTextMeasure& m_measure;
    const int m_fullRight;
    RichTextLayout m_layout;
    RichTextStyle m_style;
    int m_x = kInitialLeftMargin;
    int m_y = 0;
    int m_leftMargin = kInitialLeftMargin;
    int m_rightLimit;
    int m_lineHeight = 0;
    PictureMode m_mode = PictureMode::Row;
    int m_pictureFloor = 0;
    int m_rowTop = 0;
    int m_rowBottom = 0;
    int m_rowNextRight;
};

} // namespace

QSize RichTextLayout::Extent() const
{
    int right = 0;
    int bottom = 0;
    for (const RichPlacedItem& item : items) {
        right = std::max(right, item.rect.x() + item.rect.width());
        bottom = std::max(bottom, item.rect.y() + item.rect.height());
    }
    return QSize(right, bottom);
}

RichTextLayout LayOutRichText(const QStringList& lines, const RichTextArea& area,
                              RichTextMeasure& measure)
{
    Layouter layouter(area, measure);
    for (const QString& line : lines)
        layouter.Line(line);
    return layouter.Take();
}
