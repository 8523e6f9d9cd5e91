#pragma once

#include <QByteArray>
#include <QString>

// Strings on the TCP wire: UTF-8 once the server has accepted it, otherwise
// the 8-bit code page with escapes; scrambled with the login key when the
// server has handed one out. The terminating zero byte is not part of these.
// The client's socket and the server simulator share them.

QByteArray EncodeWireText(const QString& text, bool utf8, const QByteArray& loginKey);
QString DecodeWireText(QByteArray bytes, bool utf8, const QByteArray& loginKey);
