#pragma once

#include "reports/surface.h"

#include <QString>
#include <QStringView>

#include <optional>

// The arguments of rich text commands. Each reader returns nothing for an
// argument it cannot use, and the command is then ignored.

// "0" black, "B" blue, "G" green, "L" lime, "R" red, "Y" yellow, or "$" and
// up to six hexadecimal digits of a colour written blue-green-red, as the
// server's colours are ("$FF0000" is blue).
std::optional<SurfaceColor> RichTextColour(QStringView argument);

// An integer for "X" and "Y", within what a window can place.
std::optional<int> RichTextInteger(QStringView argument);

// The text size factor of "H": a positive decimal number with "." or ","
// and at most kMaxRichTextSizeFactor, so that no label outgrows the screen
// many times over.
inline constexpr double kMaxRichTextSizeFactor = 20.0;
std::optional<double> RichTextSizeFactor(QStringView argument);

// An argument written as identifier "||" rest, or as the rest alone.
struct RichTextIdentified
{
    bool hasIdentifier = false;
    QString identifier;
    QStringView rest;
};
RichTextIdentified SplitRichTextIdentifier(QStringView argument);

// A link: identifier "||" text shows the text and reports the identifier;
// identifier "|" text shows the text and reports the whole argument; a text
// alone is both.
struct RichTextLink
{
    QString identifier;
    QString text;
};
RichTextLink ParseRichTextLink(QStringView argument);
