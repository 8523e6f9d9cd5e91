#pragma once

#include "reports/surface.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// What a TEXT field shows: the lines the form gives for it, with ESC
// commands for paragraphs, colours, the background and the style. Colours
// come written blue-green-red, as the server writes them; here they are
// 0xRRGGBB values.
struct TextContentRun
{
    QString text;
    SurfaceColor colour = 0x000000;
    bool bold = false;
    bool italic = false;
    // The run starts a new paragraph (ESC "/" came before it).
    bool newParagraph = false;
};

struct TextContent
{
    std::vector<TextContentRun> runs;
    // ESC "R": the memo's background; light grey when the number is bad.
    std::optional<SurfaceColor> background;
};

// Lines are not separated by anything of their own: only ESC "/" starts a
// paragraph. Unknown commands are ignored.
TextContent ParseTextContent(const QStringList& lines);

// The same lines as plain text, for searching: each command dropped, except
// ESC "\", which stands for a line break (carriage return).
QString TextContentForSearch(const QStringList& lines);
