#pragma once

#include <QStringView>

// Integers in configuration values: blanks around, an optional sign and
// decimal digits within the 32-bit range. False for anything else, and
// `value` is then left alone, so the caller's default stands.
bool ParseConfigInteger(QStringView text, int& value);
