#pragma once

#include <QStringView>

// Whether a report value goes into a spreadsheet as a number, and which.
//
// Only a plain decimal number as reports print amounts and counts qualifies:
// an optional "-"; a whole part that is "0" or starts with 1-9 (so "007", a
// reader card or an inventory number, keeps its zeros as text); optionally a
// "." or "," (the decimal comma) followed by at least one digit; 15 digits at
// most in all, as many as a double gives back exactly, so a long identifier
// never comes back rounded. No "+", spaces, thousands separators or exponent.
//
// True with the value in `value` for such a text; false for anything else.
bool SpreadsheetNumber(QStringView text, double& value);
