#pragma once

#include <QString>
#include <QStringList>

// The server's record notation: "{" name "=" value "}", where a value may hold
// records of its own. Readers consume: every record read is removed from the
// text, so a description is walked by taking records until none is left.

// Removes the first record from `text` and returns its name and value; both
// are empty, and the text unchanged, when the text holds no record.
void NextRecord(QString& text, QString& name, QString& value);

// Removes the first record named `key` (exact comparison) and returns its
// value. Records of other names met on the way go back to the front of the
// text in the order they were met. An empty-named record such as "{}" stops
// the search as if the text had ended.
QString TakeRecord(QString& text, const QString& key);

// Takes every record named `key`, as repeated TakeRecord calls until one of
// them returns an empty value would, but in one pass over the text: a loader
// that walks one kind of record out of a long description stays linear.
QStringList TakeRecords(QString& text, const QString& key);

// 0-based index of the brace closing the record whose "{" is at `open`, or
// text.size() when the record runs to the end of the text.
qsizetype FindClosingBrace(QStringView text, qsizetype open);
