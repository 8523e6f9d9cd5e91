#pragma once

#include <QString>

// Field names of repeated blocks are templates: a substitutions text is pairs
// written as text to find, "|", replacement, "|", applied in order, each to
// the result of the ones before it, every occurrence, case-sensitively.
QString ApplySubstitutions(const QString& nameTemplate, const QString& substitutions);

// `substitutions` with one more pair at its end.
QString AppendSubstitution(const QString& substitutions, const QString& find,
                           const QString& replacement);
