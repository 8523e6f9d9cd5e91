#pragma once

#include <QString>

class my_record;

// The values of a form as one text, the way reports receive them: for every
// entry in the record's order, name, "|", value, "|", with each "|" inside
// written as ESC "1". "||" when the record is empty.
QString BuildParameterText(const my_record& record);

// Sets the pairs of a parameter text into `record`, in order; a pair cut off
// by the end of the text gets empty parts.
void LoadParameterText(const QString& text, my_record& record);
