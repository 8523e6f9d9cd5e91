#pragma once

#include <QString>

#include <vector>

// One button of the reading room: the visit type it counts, its caption and
// the group boxes around it ("Czasopisma / Archiwum"; empty for a loose
// button).
struct VisitKind
{
    QString type;
    QString name;
    QString group;
};

// The buttons of the reading-room record ("czytelnia") of a catalog
// structure in the order they stand, each type once. Empty when the
// structure has no reading room.
std::vector<VisitKind> ReadingRoomKinds(const QString& structure);
