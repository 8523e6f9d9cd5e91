#pragma once

#include "reports/surface.h"

#include <QString>

// Writes the texts of a report: left or right of a point, centred, or
// wrapped into a box, always on a white background. It remembers where the
// last text ended, for the "+" coordinates of the next element.
class ReportTextPlacement
{
public:
    // The text's top-left corner at (x, y).
    void draw_text_left(Surface& surface, int x, int y, const QString& text);
    // The text ends at x.
    void draw_text_right(Surface& surface, int x, int y, const QString& text);
    // Centred in a box of `box` pixels from x; with box 0 centred on x.
    void draw_text_centered(Surface& surface, int x, int y, const QString& text, int box);
    // Word wrapping into a box; the last line that fits ends in "..." when
    // the text goes on.
    void draw_text_wrapped(Surface& surface, int x, int y, const QString& text, int boxHeight,
                           int boxWidth);
    // The text shortened with "..." to at most `limit` pixels.
    static QString fit_text(const Surface& surface, const QString& text, int limit);

    // x just after the last text written, and its y.
    SurfacePoint end() const { return m_end; }

private:
    void Write(Surface& surface, SurfacePoint at, const QString& text);

    SurfacePoint m_end;
};
