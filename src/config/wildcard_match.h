#pragma once

#include <QString>

// Whole-text wildcard match, case-sensitive: in the pattern "*" matches any
// run of characters (also none), "?" any one character, and "\" makes the next
// pattern character match itself ("\" as the last pattern character matches a
// "\"). Used for section names of the configuration and for server-side masks.
bool WildcardMatch(const QString& text, const QString& pattern);
