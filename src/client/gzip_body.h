#pragma once

#include <QByteArray>
#include <QString>

// Unpacking of gzip-encoded reply bodies.

// The most a body may unpack to: a reply of a few megabytes may not turn into
// more memory than the workstation has.
inline constexpr qsizetype kGunzipLimit = qsizetype(1) << 30;

// Unpacks `in`, one gzip member or several written one after another, into
// `out`. Returns false with a Polish `error` (and `out` empty) when the data
// is corrupt, cut short or would unpack to more than `limit` bytes. An empty
// `in` is an empty body and unpacks to nothing.
bool Gunzip(const QByteArray& in, QByteArray& out, QString& error, qsizetype limit = kGunzipLimit);
