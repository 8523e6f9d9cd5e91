#pragma once

#include <QByteArray>
#include <QStringList>

// A content file as a form's TEXT or PANEL field receives it: one line per
// line (LF or CR LF), in the configuration's code page, with ESC and SUB as
// bytes.
QStringList ContentLines(const QByteArray& bytes);
