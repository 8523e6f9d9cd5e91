#pragma once

#include <QString>
#include <QStringView>

#include <vector>

// One piece of a rich text content line: plain text shown as it stands, or a
// command. A command begins with ESC and its letter; its argument runs to
// the next SUB (which is dropped) or to the end of the line, so that ESC and
// "|" inside an argument (embedded picture bytes, link texts) are data.
struct RichTextPiece
{
    bool command = false;
    QChar letter;     // the command's letter; null for text and a bare ESC
    QStringView text; // the text, or the command's argument
};

// Splits `line` into its pieces in order; empty text pieces are left out.
// The pieces view `line`, which must outlive them.
std::vector<RichTextPiece> SplitRichTextLine(const QString& line);
