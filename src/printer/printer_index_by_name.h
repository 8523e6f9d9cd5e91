#pragma once

#include <QString>
#include <QStringList>

// The index in `installed` of the printer a saved device name stands for,
// or -1. An entry is compared without what follows its first " on " (the
// connection a printer is reached over), and only on the length of `name`:
// a device name keeps at most 31 characters, so it may be the beginning of
// the printer's full name. The first match in list order wins.
int PrinterIndexByName(const QStringList& installed, const QString& name);
