#include "cli/cli_gui_scope.h"
#include "cli/cli_io.h"
#include "cli/cli_report.h"
#include "reports/preview_pages.h"
#include "reports/preview_picture_size.h"
#include "reports/recording_surface.h"
#include "reports/save_as_bitmap.h"
#include "reports/ui/image_preview_picture.h"
#include "reports/ui/pdf_print_device.h"

#include <limits>
#include <memory>

namespace {

struct PageChoice
{
    int section = 1;
    int page = 1;
    int width = 0;
    int height = 0;
};

// The preview page asked for and the size of its picture, as the preview
// window sizes it (and refuses it when it is too large to allocate).
QString ChoosePage(const ReportCommandLine& line, const tbl_report& report, PageChoice& choice)
{
    if (!ParseNumberPair(line.values.value(QStringLiteral("--page")), u',', 1,
                         std::numeric_limits<int>::max(), choice.section, choice.page))
        return QStringLiteral("--page must be SECTION,PAGE, both from 1");
    const PreviewPages pages(report.page_model(), report.lines_per_page());
    const int index = pages.IndexOf({choice.section, choice.page});
    if (index < 0)
        return QStringLiteral("The report has no page %1,%2").arg(choice.section).arg(choice.page);
    PreviewPictureSize size;
    QString error;
    if (!PreviewPageSize(report.settings(), pages.At(index), size, error))
        return error;
    choice.width = size.width;
    choice.height = size.height;
    return QString();
}

// A page that did not draw to its end (a number that does not convert, bar
// code data the symbology refuses) is still written as far as it got.
int DrawPicture(const ReportCommandLine& line, tbl_report& report, const PageChoice& choice,
                CliMessages& messages, CliIo& io)
{
    CliGuiScope gui;
    if (!gui.Ready())
        return CliGuiScope::Unavailable(io);
    ImagePreviewPicture picture;
    report.use_preview_surface(picture.NewPage(choice.width, choice.height));
    report.set_preview_picture(&picture);
    const QString error = report.render_page(choice.section, choice.page);
    if (!error.isEmpty())
        messages.ShowMessage(error);
    bool saved = false;
    if (line.Has(QStringLiteral("--png"))) {
        const QString file = line.values.value(QStringLiteral("--png"));
        saved = picture.Page()->Image().save(file, "PNG");
        if (!saved)
            io.WriteError(QStringLiteral("Cannot write the file %1").arg(file));
    } else {
        saved = save_as_bitmap().save(report, line.values.value(QStringLiteral("--bmp")), messages);
    }
    report.set_preview_picture(nullptr);
    return saved && error.isEmpty() ? kCliSuccess : kCliFailure;
}

// What the page draws, one primitive a line, in device pixels.
int ListOperations(tbl_report& report, const PageChoice& choice, CliMessages& messages, CliIo& io)
{
    RecordingSurface surface(ImagePreviewPicture::kScreenResolution, choice.width, choice.height);
    report.use_preview_surface(surface);
    const QString error = report.render_page(choice.section, choice.page);
    for (const QString& operation : surface.Lines())
        io.WriteLine(operation);
    if (error.isEmpty())
        return kCliSuccess;
    messages.ShowMessage(error);
    return kCliFailure;
}

int PrintToPdf(const ReportCommandLine& line, tbl_report& report, CliIo& io)
{
    const QString error = TakePrintRange(line, report);
    if (!error.isEmpty())
        return io.Fail(error);
    CliGuiScope gui;
    if (!gui.Ready())
        return CliGuiScope::Unavailable(io);
    PdfPrintDevice device(line.values.value(QStringLiteral("--pdf")), report.orientation());
    const QString printed = report.print_all(device);
    return printed.isEmpty() ? kCliSuccess : io.Fail(printed);
}

// Exactly one output: a picture or the list of a page, or the PDF of the
// whole report (whose pages follow the printer's page, not the preview's).
QString CheckOutputs(const ReportCommandLine& line)
{
    const int outputs = line.Has(QStringLiteral("--png")) + line.Has(QStringLiteral("--bmp")) +
                        line.Has(QStringLiteral("--ops")) + line.Has(QStringLiteral("--pdf"));
    if (outputs != 1)
        return QStringLiteral("Give one of --png, --bmp, --ops and --pdf");
    const bool pdf = line.Has(QStringLiteral("--pdf"));
    if (pdf && line.Has(QStringLiteral("--page")))
        return QStringLiteral("--pdf prints every page; choose them with --range");
    if (!pdf && !line.Has(QStringLiteral("--page")))
        return QStringLiteral("--page S,P is required");
    if (!pdf && (line.Has(QStringLiteral("--range")) || line.Has(QStringLiteral("--footnote"))))
        return QStringLiteral("--range and --footnote go with --pdf");
    return QString();
}

} // namespace

int RunReportRender(const QStringList& words, const ReportSite& site, CliIo& io)
{
    ReportCommandLine line;
    QString error = ParseReportCommandLine(
        words,
        {QStringLiteral("--page"), QStringLiteral("--png"), QStringLiteral("--bmp"),
         QStringLiteral("--pdf"), QStringLiteral("--range"), QStringLiteral("--footnote")},
        {QStringLiteral("--ops")}, line);
    if (error.isEmpty())
        error = CheckOutputs(line);
    if (!error.isEmpty())
        return ReportUsage(io, error);
    CliMessages messages(io);
    const std::unique_ptr<tbl_report> report = OpenReport(line.file, site, messages);
    if (!report)
        return kCliFailure;
    if (line.Has(QStringLiteral("--pdf")))
        return PrintToPdf(line, *report, io);
    PageChoice choice;
    error = ChoosePage(line, *report, choice);
    if (!error.isEmpty())
        return io.Fail(error);
    if (line.Has(QStringLiteral("--ops")))
        return ListOperations(*report, choice, messages, io);
    return DrawPicture(line, *report, choice, messages, io);
}
