#pragma once

#include <QByteArray>
#include <QStringView>

// The bytes of a picture embedded in rich text content as escaped text.
// Each character is the byte the code page gives it (the content arrived as
// 8-bit text); ESC and a code byte stand for a byte that the text could not
// carry as it is: "1" zero, "2" SUB, "3" ESC, "4" CR, "5" "|". ESC before any
// other byte stands for that byte; an ESC at the very end is dropped.
QByteArray DecodeEscapedPictureBytes(QStringView text);
