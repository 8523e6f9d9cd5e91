#pragma once

#include "forms/tsequence.h"

#include <QChar>

#include <vector>

// The markers a MARKERS field offers, read from the text of its MASK.
struct MarkerSpecification
{
    QChar markerChar = QChar(u'^');
    std::vector<TSequence> markers;
};

// Items separated by "|": the first character of the first item is the
// marker character (an empty first item leaves "^" and no markers), then
// code and description pairs up to an empty code. A code of more than one
// character makes a repeatable marker whose description gets "*"; each
// marker shows as its code character.
MarkerSpecification ParseMarkerSpecification(const QString& text);
