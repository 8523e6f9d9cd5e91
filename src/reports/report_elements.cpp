#include "reports/report_elements.h"

#include "reports/bars.h"
#include "reports/report_pixels.h"
#include "reports/report_state.h"
#include "reports/report_words.h"

namespace {

QString PlusWord()
{
    return QStringLiteral("+");
}

// Tested on the whole line, first match: an element says on which pages of
// a section it belongs.
bool PageConditionAllows(const QString& line, bool first, bool last)
{
    if (line.contains(u" FIRST"))
        return first;
    if (line.contains(u" LAST"))
        return last;
    if (line.contains(u" NOFIRST"))
        return !first;
    if (line.contains(u" NOLAST"))
        return !last;
    if (line.contains(u" OTHER"))
        return !first && !last;
    return true;
}

// A condition holds when its expression gives any text at all.
bool ConditionsAllow(const ElementContext& element)
{
    if (element.words.Has(u"WHEN") && element.Expand(element.OptionArgument(u"WHEN")).isEmpty())
        return false;
    return !element.words.Has(u"EXCEPT") ||
           element.Expand(element.OptionArgument(u"EXCEPT")).isEmpty();
}

// Frames and rules are black, twice as thick when bold; a width of 0 is the
// device's thinnest line.
void UseLinePen(const ElementContext& element)
{
    const double units = element.words.Has(u"BOLD") ? 2.0 : 1.0;
    element.surface.SetPen(kBlack, std::max(report_pixels::Scaled(units, element.state.scale), 0));
}

void DrawBox(const ElementContext& element)
{
    const int x = element.X(element.Word(1));
    const int y = element.Y(element.Word(2));
    const int right = report_pixels::Add(x, element.Length(element.Word(3)));
    const int bottom = report_pixels::Add(y, element.Length(element.Word(4)));
    UseLinePen(element);
    element.surface.Polyline({{x, y}, {x, bottom}, {right, bottom}, {right, y}, {x, y}});
}

// V, H and L: a line from (x, y) by (dx, dy).
void DrawLine(const ElementContext& element, bool across, bool down)
{
    const int x = element.X(element.Word(1));
    const int y = element.Y(element.Word(2));
    int dx = 0;
    int dy = 0;
    if (across && down) {
        dx = element.Length(element.Word(3));
        dy = element.Length(element.Word(4));
    } else {
        (across ? dx : dy) = element.Length(element.Word(3));
    }
    UseLinePen(element);
    element.surface.MoveTo({x, y});
    element.surface.LineTo({report_pixels::Add(x, dx), report_pixels::Add(y, dy)});
}

// "FONT=" names the face with "_" for spaces; otherwise the face the band
// began with, which is the report font.
QString TextFace(const ElementContext& element)
{
    const int at = element.words.Find(u"FONT=");
    if (at < 0)
        return element.bandFont.face;
    constexpr int kMaxFace = 255;
    return element.Word(at).mid(5, kMaxFace).replace(u'_', u' ');
}

int TextHeight(const ElementContext& element)
{
    constexpr int kDefaultSize = 16;
    const int at = element.words.Find(u"SIZE=");
    if (at < 0)
        return report_pixels::Scaled(kDefaultSize, element.state.scale);
    const QString option = element.Word(at);
    const int size = PlainInteger(QStringView(option).mid(5, 4));
    return report_pixels::Scaled(size, element.state.scale);
}

void PlaceText(ElementContext& element, int x, int y, const QString& text)
{
    ReportTextPlacement& placement = element.state.text;
    if (element.words.Has(u"RIGHT")) {
        placement.draw_text_right(element.surface, x, y, text);
    } else if (element.words.Has(u"CENTER")) {
        placement.draw_text_centered(element.surface, x, y, text, 0);
    } else if (element.words.Has(u"JUST")) {
        const int width = PlainInteger(element.OptionArgument(u"JUST", 1));
        const int height = PlainInteger(element.OptionArgument(u"JUST", 2));
        placement.draw_text_wrapped(element.surface, x, y, text,
                                    report_pixels::Scaled(height, element.state.scale),
                                    report_pixels::Scaled(width, element.state.scale));
    } else {
        placement.draw_text_left(element.surface, x, y, text);
    }
}

void DrawText(ElementContext& element)
{
    QString text = element.Expand(element.Word(1));
    const int x = element.X(element.Word(2), true);
    const int y = element.Y(element.Word(3), true);
    element.surface.SetBrushColor(kWhite);
    SurfaceFont font = element.surface.Font();
    font.face = TextFace(element);
    font.bold = element.words.Has(u"BOLD");
    font.height = TextHeight(element);
    element.surface.SetFont(font);
    if (element.words.Has(u"LIMIT")) {
        const int limit = element.Length(element.OptionArgument(u"LIMIT"));
        text = ReportTextPlacement::fit_text(element.surface, text, limit);
    }
    PlaceText(element, x, y, text);
    font.bold = false;
    element.surface.SetFont(font);
}

void DrawElement(ElementContext& element, bool first, bool last)
{
    const QString& line = element.words.Line();
    if (!PageConditionAllows(line, first, last) || !ConditionsAllow(element))
        return;
    if (line.startsWith(u"BOX"))
        DrawBox(element);
    else if (line.startsWith(u"TEXT"))
        DrawText(element);
    else if (line.startsWith(u"IMG"))
        draw_image_element(element);
    else if (line.startsWith(u"BAR"))
        draw_bar_element(element);
    else if (line.startsWith(u"V"))
        DrawLine(element, false, true);
    else if (line.startsWith(u"H"))
        DrawLine(element, true, false);
    else if (line.startsWith(u"L"))
        DrawLine(element, true, true);
}

// Size and style stay as the last text left them; face and character set
// return to the band's.
void RestoreFace(Surface& surface, const SurfaceFont& saved)
{
    SurfaceFont font = surface.Font();
    font.face = saved.face;
    font.charset = saved.charset;
    surface.SetFont(font);
}

} // namespace

QString ElementContext::Word(int index) const
{
    return words.Word(index, state.messages);
}

QString ElementContext::OptionArgument(QStringView name, int offset) const
{
    const int at = words.Find(name);
    return at < 0 ? QString() : Word(at + offset);
}

QString ElementContext::Expand(const QString& expression) const
{
    return ExpandMacro(expression, macro, state.messages);
}

int ElementContext::Length(const QString& word) const
{
    return report_pixels::Scaled(EvalNumber(word, dataLine), state.scale);
}

int ElementContext::X(const QString& word, bool continues) const
{
    if (continues && word == PlusWord())
        return state.text.end().x;
    return report_pixels::Add(origin.x, Length(word));
}

int ElementContext::Y(const QString& word, bool continues) const
{
    if (continues && word == PlusWord())
        return state.text.end().y;
    return report_pixels::Add(origin.y, Length(word));
}

bool render_band(ReportState& state, int line, const ReportBand& band, bool first, bool last)
{
    if (!state.drawError.isEmpty() || !state.surface)
        return false;
    Surface& surface = *state.surface;
    const SurfacePoint origin{state.originX, state.position.y};
    const SurfaceFont bandFont = surface.Font();
    MacroContext macro;
    macro.dataLine = state.DataLine(line);
    macro.page = state.pageNumber;
    macro.site = &state.site;
    // The band's element lines, kept within the description.
    const auto lineCount = static_cast<long long>(state.words.size());
    const long long from = std::max(band.firstElement, 0);
    const long long to =
        std::min(static_cast<long long>(band.firstElement) + band.elementCount, lineCount);
    try {
        for (long long index = from; index < to; ++index) {
            const ReportWords& words = state.words[static_cast<size_t>(index)];
            ElementContext element{state, surface, words, macro.dataLine, origin, bandFont, macro};
            DrawElement(element, first, last);
        }
    } catch (const ReportConversionError& error) {
        state.drawError = error.Text();
    } catch (const TBarcodeError& error) {
        state.drawError = error.Text();
    }
    RestoreFace(surface, bandFont);
    state.position = {
        origin.x, report_pixels::Add(origin.y, report_pixels::Scaled(band.height, state.scale))};
    return state.drawError.isEmpty();
}
