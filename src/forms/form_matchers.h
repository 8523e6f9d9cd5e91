#pragma once

#include <QString>

// The three pattern matchers of the value model. All are case-sensitive and
// match the whole text.

// Error patterns: alternatives separated by "|", "*" matches any run of
// characters (also none). True when `name` matches any alternative.
bool MatchesErrorPattern(const QString& name, const QString& pattern);

// Row extraction: "*" matches any run, "?" any run that is captured and read
// as a decimal number. Every further "?" must match the same text as the
// first, since one variable stands for one row number. No match, or a capture
// that is no number, gives 0.
int ExtractRowNumber(const QString& name, const QString& pattern);

// Search: "*" matches any run, "?" exactly one character, "\" makes the next
// character literal.
bool MatchesSearchPattern(const QString& text, const QString& pattern);
