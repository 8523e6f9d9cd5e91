#pragma once

#include "reports/report_expressions.h"
#include "reports/report_settings.h"
#include "reports/surface.h"

#include <QString>
#include <QStringView>

struct ReportState;
class ReportWords;

// Draws one band of the description against data line `line` (from 1; the
// bands outside the data see an empty line) at the current drawing
// position, then moves the position below it. A number that does not
// convert or bar-code data the component refuses end the page: the text
// goes to state.drawError, false is returned, and no band draws anything
// until the error is cleared.
bool render_band(ReportState& state, int line, const ReportBand& band, bool first, bool last);

// What the elements of a band draw with. The numbers throw
// ReportConversionError, which render_band turns into the page's error.
struct ElementContext
{
    ReportState& state;
    Surface& surface;
    const ReportWords& words;
    QStringView dataLine;
    // The band's top-left corner on the device.
    SurfacePoint origin;
    // The face and character set the surface had when the band began.
    SurfaceFont bandFont;
    MacroContext macro;

    // Parameter `index`; a missing one is reported and the last word taken.
    QString Word(int index) const;
    // The word after option `name`, or a null text without the option.
    QString OptionArgument(QStringView name, int offset = 1) const;
    QString Expand(const QString& expression) const;
    // A length parameter in device pixels.
    int Length(const QString& word) const;
    // A coordinate from the band's corner; "+" continues after the last text
    // when `continues` is set.
    int X(const QString& word, bool continues = false) const;
    int Y(const QString& word, bool continues = false) const;
};

void draw_image_element(ElementContext& element);
void draw_bar_element(ElementContext& element);
// An interleaved 2 of 5 symbol of `data` stretched to `width`, one module
// right of x.
void draw_itf(Surface& surface, int x, int y, int width, int height, const QString& data);
