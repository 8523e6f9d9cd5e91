#pragma once

#include <QString>

class my_record;

// The error a stored DATE value deserves, or empty when it is valid: empty
// values are valid; anything but eight characters without spaces is badly
// formed; eight characters YYYYMMDD must name a real Gregorian date.
QString DateValueError(const QString& stored);

// Checks the value of the DATE field `fieldName` as it is committed and adds
// the error, with the field name as its pattern. True when it is valid.
bool ValidateDateField(my_record& record, const QString& fieldName);
