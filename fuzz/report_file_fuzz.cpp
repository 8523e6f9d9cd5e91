// Report files come from the server: any bytes must either be refused with a
// message or open, lay out, draw every page, print and export without a
// crash, a hang or a sanitizer finding.
#include "operator_messages.h"
#include "reports/recording_print_device.h"
#include "reports/recording_surface.h"
#include "reports/report_page_model.h"
#include "reports/save_as_csv.h"
#include "reports/save_as_nura.h"
#include "reports/save_as_tab.h"
#include "reports/tbl_report.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Enough pages to reach sections and page numbers beyond the first, few
// enough that one input stays quick.
constexpr std::size_t kMaxPagesDrawn = 50;

const QTemporaryDir& ScratchFolder()
{
    static const QTemporaryDir dir;
    return dir;
}

QString ScratchFile(const char* name)
{
    return ScratchFolder().filePath(QString::fromLatin1(name));
}

void DrawPreviewPages(tbl_report& report)
{
    RecordingSurface surface;
    report.use_preview_surface(surface);
    const ReportPageModel model(report.data_lines());
    const std::vector<ReportPageModel::Page> pages =
        model.Pages(PreviewLinesPerPage(report.settings(), report.data_line_count()));
    if (pages.empty())
        std::abort(); // even a report without data has its one page
    for (std::size_t i = 0; i < std::min(pages.size(), kMaxPagesDrawn); ++i) {
        surface.Clear();
        report.render_page(pages[i].section, pages[i].page);
    }
}

// A small printer page, so layouts that need many sheets get them.
void Print(tbl_report& report)
{
    RecordingPrintDevice printer(96, 400, 300);
    QString error;
    if (report.count_pages(printer, error) < 1)
        std::abort();
    report.set_print_range(0, 0);
    report.print_all(printer);
    report.set_print_range(2, 4);
    RecordingPrintDevice range(300, 2480, 3508);
    report.print_all(range);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = ScratchFile("report.tmp");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    CollectedMessages messages;
    const SiteValues site{QStringLiteral("Biblioteka"), QStringLiteral("Czytelnia"),
                          QStringLiteral("Wypożyczalnia")};
    const std::unique_ptr<tbl_report> report =
        tbl_report::Open(QStringLiteral("Zestawienie"), path, messages, site);
    if (!report)
        return 0;
    DrawPreviewPages(*report);
    Print(*report);
    save_as_csv().save(*report, ScratchFile("t.csv"), messages);
    save_as_tab().save(*report, ScratchFile("t.txt"), messages);
    save_as_nura().save(*report, ScratchFile("t.srp"), messages);
    return 0;
}
