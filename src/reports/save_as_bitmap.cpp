#include "reports/save_as_bitmap.h"

#include "operator_messages.h"
#include "reports/my_report.h"

// The picture is the page the preview shows; a report drawn nowhere (no
// preview window, as in the command-line tool) has none to save.
bool save_as_bitmap::save(my_report& report, const QString& file, OperatorMessages& messages)
{
    PreviewPicture* picture = report.preview_picture();
    if (!picture) {
        messages.ShowMessage(QString::fromUtf8("Niedostępne dla tego zestawienia"));
        return false;
    }
    if (picture->SaveBitmap(file))
        return true;
    messages.ShowMessage(QString::fromUtf8("Błąd zapisywania pliku"));
    return false;
}
