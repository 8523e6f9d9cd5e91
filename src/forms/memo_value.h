#pragma once

#include <QString>

// The value of a MEMO field as the record keeps it: a multi-line memo
// keeps each line break as ESC "/", the form language's paragraph mark; a
// single-line memo keeps no control characters at all.
QString MemoShownText(const QString& stored);
QString MemoStoredText(const QString& shown, bool multiLine);

// `text` without the characters below a space (line breaks, tabs, ESC).
QString WithoutControlCharacters(const QString& text);
