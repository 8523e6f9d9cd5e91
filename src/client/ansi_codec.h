#pragma once

#include <QByteArray>
#include <QString>

// The 8-bit text of files and of the TCP wire: the ANSI code page, with every
// character the page cannot hold written as ESC "U", four upper-case hex
// digits of its UTF-16 code unit, and SUB (7 bytes).

QByteArray EncodeAnsi(const QString& text);
QString DecodeAnsi(const QByteArray& bytes);
