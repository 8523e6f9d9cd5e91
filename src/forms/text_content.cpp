#include "forms/text_content.h"

#include "reports/rich_text_arguments.h"
#include "reports/rich_text_line.h"

namespace {

constexpr SurfaceColor kDefaultBackground = 0xE0E0E0;

// A value written blue-green-red, as an RGB value.
SurfaceColor FromBgr(uint value)
{
    return ((value & 0xFF) << 16) | (value & 0xFF00) | ((value >> 16) & 0xFF);
}

// A number in decimal, or in hexadecimal after "$".
std::optional<uint> Number(QStringView text)
{
    bool ok = false;
    const uint value = text.startsWith(u'$') ? text.mid(1).toUInt(&ok, 16) : text.toUInt(&ok);
    return ok ? std::optional<uint>(value) : std::nullopt;
}

// A colour letter, or "$" and the value; anything else is black.
SurfaceColor Colour(QStringView argument)
{
    return RichTextColour(argument.startsWith(u'$') ? argument : argument.left(1)).value_or(kBlack);
}

} // namespace

TextContent ParseTextContent(const QStringList& lines)
{
    TextContent content;
    TextContentRun style;
    for (const QString& line : lines) {
        for (const RichTextPiece& piece : SplitRichTextLine(line)) {
            if (!piece.command) {
                TextContentRun run = style;
                run.text = piece.text.toString();
                content.runs.push_back(std::move(run));
                style.newParagraph = false;
                continue;
            }
            switch (piece.letter.unicode()) {
            case u'/':
                style.newParagraph = true;
                break;
            case u'C':
                style.colour = Colour(piece.text);
                break;
            case u'R':
                content.background = Number(piece.text).has_value() ? FromBgr(*Number(piece.text))
                                                                    : kDefaultBackground;
                break;
            case u'S':
                style.bold = piece.text.contains(u'B');
                style.italic = piece.text.contains(u'I');
                break;
            default:
                break;
            }
        }
    }
    // A paragraph asked for at the very end still shows as an empty one.
    if (style.newParagraph)
        content.runs.push_back(style);
    return content;
}

QString TextContentForSearch(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines) {
        for (const RichTextPiece& piece : SplitRichTextLine(line)) {
            if (!piece.command)
                text += piece.text;
            else if (piece.letter == u'\\')
                text += u'\r';
        }
    }
    return text;
}
