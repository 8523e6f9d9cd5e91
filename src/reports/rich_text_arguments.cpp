#include "reports/rich_text_arguments.h"

namespace {

// Positions beyond this are far outside any window.
constexpr int kMaxCoordinate = 1000000;

} // namespace

std::optional<SurfaceColor> RichTextColour(QStringView argument)
{
    if (argument.isEmpty())
        return std::nullopt;
    if (argument[0] == u'$') {
        const QStringView digits = argument.mid(1);
        bool ok = false;
        const uint value = digits.toUInt(&ok, 16);
        if (!ok || digits.size() > 6 || digits.startsWith(u'+') || digits.startsWith(u'-'))
            return std::nullopt;
        const SurfaceColor red = value & 0xFF;
        const SurfaceColor green = (value >> 8) & 0xFF;
        const SurfaceColor blue = (value >> 16) & 0xFF;
        return (red << 16) | (green << 8) | blue;
    }
    if (argument.size() != 1)
        return std::nullopt;
    switch (argument[0].unicode()) {
    case u'0':
        return 0x000000;
    case u'B':
        return 0x0000FF;
    case u'G':
        return 0x008000;
    case u'L':
        return 0x00FF00;
    case u'R':
        return 0xFF0000;
    case u'Y':
        return 0xFFFF00;
    default:
        return std::nullopt;
    }
}

std::optional<int> RichTextInteger(QStringView argument)
{
    bool ok = false;
    const int value = argument.trimmed().toInt(&ok);
    if (!ok || value < -kMaxCoordinate || value > kMaxCoordinate)
        return std::nullopt;
    return value;
}

std::optional<double> RichTextSizeFactor(QStringView argument)
{
    QString text = argument.trimmed().toString();
    text.replace(u',', u'.');
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !(value > 0.0) || value > kMaxRichTextSizeFactor)
        return std::nullopt;
    return value;
}

RichTextIdentified SplitRichTextIdentifier(QStringView argument)
{
    const qsizetype bars = argument.indexOf(u"||");
    if (bars < 0)
        return {false, QString(), argument};
    return {true, argument.left(bars).toString(), argument.mid(bars + 2)};
}

RichTextLink ParseRichTextLink(QStringView argument)
{
    const RichTextIdentified split = SplitRichTextIdentifier(argument);
    if (split.hasIdentifier)
        return {split.identifier, split.rest.toString()};
    const qsizetype bar = argument.indexOf(u'|');
    if (bar >= 0)
        return {argument.toString(), argument.mid(bar + 1).toString()};
    return {argument.toString(), argument.toString()};
}
