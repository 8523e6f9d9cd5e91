#include "forms/font_specification.h"

#include <QStringList>

std::optional<FontSpecification> ParseFontSpecification(const QString& text)
{
    const QStringList parts = text.split(u'/');
    if (parts.size() < 2 || parts[0].trimmed().isEmpty())
        return std::nullopt;
    bool ok = false;
    const int height = parts[1].trimmed().toInt(&ok);
    if (!ok || height == 0)
        return std::nullopt;
    return FontSpecification{parts[0].trimmed(), height,
                             parts.value(2).contains(u'B', Qt::CaseInsensitive)};
}
