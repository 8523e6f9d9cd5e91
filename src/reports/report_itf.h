#pragma once

#include <QByteArray>

// The module pattern of an interleaved 2 of 5 symbol as a report's BAR
// element without "MODE=" draws it: "1" a black module, "0" a white one. A
// narrow bar is 2 modules, a wide bar 6, a narrow space 3 and a wide space 7.
// An odd number of characters gets a "0" appended; empty data give an empty
// pattern.
QByteArray ItfPattern(QByteArray digits);
