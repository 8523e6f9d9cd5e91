#pragma once

#include <QByteArray>
#include <QString>

// How the HTTPS client writes texts into the strings of its JSON requests
// and reads them back from replies. The JSON model keeps strings raw; these
// are the only places that escape and unescape them.

// The text as plain ASCII: the program's own character escape (ESC "U", four
// hexadecimal digits, SUB) becomes "\u" and those digits; BS, TAB, LF, FF
// and CR become \b \t \n \f \r; a quote, "/" and a backslash get a
// backslash; every other code below 32 or from 128 up becomes "\u" and the
// four upper-case hexadecimal digits of its UTF-16 unit.
QByteArray EscapeJsonText(const QString& text);

// The text of a raw string (UTF-8) with its escapes decoded. Throws
// TJSONError with "Backslash conversion error \"\<next ten characters>...\""
// for an unknown escape and "\u conversion error" when "\u" lacks its four
// hexadecimal digits.
QString UnescapeJsonText(const QByteArray& raw);

// Bytes as a blob item carries them: Base64, with every "/" escaped.
QByteArray EscapedBase64(const QByteArray& bytes);
// The bytes of a blob item: unescaped and Base64-decoded in one pass, without
// an unescaped copy of a text that may be tens of megabytes. The same
// errors as UnescapeJsonText.
QByteArray DecodeEscapedBase64(const QByteArray& raw);
