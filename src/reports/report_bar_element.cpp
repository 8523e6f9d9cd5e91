#include "reports/report_elements.h"

#include "client/ansi_codec.h"
#include "operator_messages.h"
#include "reports/bars.h"
#include "reports/report_itf.h"
#include "reports/report_page_model.h"
#include "reports/report_pixels.h"
#include "reports/report_state.h"
#include "reports/report_words.h"

namespace {

// "MODE=n" picks symbology n - 1; anything else keeps the one last used.
void SelectSymbology(TBarcode& barcode, const QString& option)
{
    bool ok = false;
    const int mode = QStringView(option).mid(5, 2).toInt(&ok);
    if (ok && mode >= 1 && mode <= bcCodeEAN13 + 1)
        barcode.Typ = static_cast<TBarcodeType>(mode - 1);
}

// Setting the width builds the symbol, so data the symbology cannot hold
// escape from here and end the page. Drawing faults only lose this code.
void DrawWithComponent(ElementContext& element, const QString& option, const QString& data,
                       SurfacePoint at, int width, int height)
{
    TBarcode& barcode = element.state.barcode;
    barcode.Text = EncodeAnsi(data);
    SelectSymbology(barcode, option);
    barcode.SetWidth(width);
    barcode.Height = height;
    barcode.Top = at.y;
    barcode.Left = at.x;
    try {
        barcode.Draw(element.surface);
    } catch (const TBarcodeError& error) {
        element.state.messages.ShowMessage(error.Text());
    }
}

} // namespace

void draw_itf(Surface& surface, int x, int y, int width, int height, const QString& data)
{
    const QByteArray pattern = ItfPattern(EncodeAnsi(data));
    if (pattern.isEmpty())
        return;
    const double module = static_cast<double>(width) / static_cast<double>(pattern.size());
    surface.SetPen(kBlack, 1);
    surface.SetBrushColor(kBlack);
    const int bottom = report_pixels::Add(y, height);
    for (qsizetype k = 1; k <= pattern.size(); ++k) {
        if (pattern.at(k - 1) != '1')
            continue;
        // Positions count from 1: the symbol begins one module right of x.
        const double from = static_cast<double>(k) * module;
        const double to = static_cast<double>(k + 1) * module;
        surface.Rectangle(report_pixels::Add(x, report_pixels::Scaled(from, 1.0)), y,
                          report_pixels::Add(x, report_pixels::Scaled(to, 1.0)), bottom);
    }
}

void draw_bar_element(ElementContext& element)
{
    const QString data = element.Expand(element.Word(1));
    const SurfacePoint at{element.X(element.Word(2), true), element.Y(element.Word(3), true)};
    const int width = element.Length(element.Word(4));
    const int height = element.Length(element.Word(5));
    const int mode = element.words.Find(u"MODE=");
    if (mode >= 0)
        DrawWithComponent(element, element.Word(mode), data, at, width, height);
    else
        draw_itf(element.surface, at.x, at.y, width, height, data);
}
