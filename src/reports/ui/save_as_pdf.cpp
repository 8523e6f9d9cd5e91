#include "reports/ui/save_as_pdf.h"

#include "operator_messages.h"
#include "reports/my_report.h"
#include "reports/ui/pdf_print_device.h"

// The whole report goes out whatever range the last print used.
bool save_as_pdf::save(my_report& report, const QString& file, OperatorMessages& messages)
{
    report.set_print_range(0, 0);
    PdfPrintDevice device(file, report.orientation());
    const QString error = report.print_all(device);
    if (error.isEmpty())
        return true;
    messages.ShowMessage(error);
    return false;
}
