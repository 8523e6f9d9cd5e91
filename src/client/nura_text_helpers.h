#pragma once

#include <QDate>
#include <QString>

class TNuraClient;

// Small text helpers for the server's key=value parameters and its dates.

// The value of "&key=" in a server description, up to the next "&" or the
// end; empty when the key is absent. The match is exact and case-sensitive,
// and the "&" belongs to it, so "raporty" never matches "&xraporty=".
QString GetParam(const QString& serverDescription, const QString& key);
QString GetParam(const TNuraClient& client, const QString& key);

// Takes the part of `text` before the first `separator`, trimmed of blanks
// (code 32 only); `text` loses that part and the separator. Without a
// separator the whole trimmed text is taken and `text` becomes empty.
QString NextToken(QString& text, QChar separator);

// Removes blanks (code 32 only) at both ends.
QString TrimSpaces(const QString& text);

// The decimal form of a 16-bit unsigned value, left-padded with "0" to `width`.
QString ZeroPadded(quint16 value, int width);

// `today` plus `days` as eight digits, year, month and day.
QString DateFromToday(int days, QDate today = QDate::currentDate());

// Eight digits year-month-day shown as day.month.year.
QString DateDisplay(const QString& yyyymmdd);

// a + separator + b when both are non-empty, otherwise whichever is.
QString Join(const QString& a, const QString& separator, const QString& b);
