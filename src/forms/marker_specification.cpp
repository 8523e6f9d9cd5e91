#include "forms/marker_specification.h"

#include <QStringList>

MarkerSpecification ParseMarkerSpecification(const QString& text)
{
    MarkerSpecification specification;
    const QStringList items = text.split(u'|');
    if (items.first().isEmpty())
        return specification;
    specification.markerChar = items.first().front();
    for (qsizetype i = 1; i < items.size() && !items[i].isEmpty(); i += 2) {
        const QString& code = items[i];
        TSequence marker;
        marker.code = code.front().unicode();
        marker.display = code.left(1);
        marker.repeatable = code.size() > 1;
        marker.description = items.value(i + 1);
        if (marker.repeatable)
            marker.description += u'*';
        specification.markers.push_back(marker);
    }
    return specification;
}
