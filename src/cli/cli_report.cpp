#include "cli/cli_report.h"

#include "cli/cli_command.h"
#include "cli/cli_gui_scope.h"
#include "cli/cli_io.h"
#include "config/ini_file.h"
#include "reports/my_save.h"
#include "reports/report_page_model.h"
#include "reports/ui/program_exports.h"

#include <QFileInfo>

#include <limits>

#include <algorithm>
#include <iterator>
#include <optional>

namespace {

const char kReportUsage[] =
    "Usage: czytelnia-cli report pages FILE [--preview | --dpi D --page-size WxH]\n"
    "       czytelnia-cli report render FILE --page S,P (--png OUT | --bmp OUT | --ops)\n"
    "       czytelnia-cli report render FILE --pdf OUT [--range FROM,TO] [--footnote TEXT]\n"
    "       czytelnia-cli report export FILE (--csv | --tab | --srp | --pdf | --xlsx) OUT\n"
    "       czytelnia-cli report print FILE [--printer NAME] [--range FROM,TO] [--footnote TEXT]";

// Printers stay well inside these; the limits only keep a slip of the
// fingers from asking for absurd pages.
constexpr int kMaxDpi = 10000;
constexpr int kMaxPagePixels = 1000000;

// The lines per page: the preview's nominal page, or a printer page of the
// given size in pixels at the given resolution.
bool LinesPerPage(const ReportCommandLine& line, const tbl_report& report, int& lines,
                  QString& error)
{
    if (!line.Has(QStringLiteral("--dpi")) && !line.Has(QStringLiteral("--page-size"))) {
        lines = PreviewLinesPerPage(report.settings(), report.data_line_count());
        return true;
    }
    bool ok = false;
    const int dpi = line.values.value(QStringLiteral("--dpi")).toInt(&ok);
    int width = 0;
    int height = 0;
    if (!ok || dpi < 1 || dpi > kMaxDpi ||
        !ParseNumberPair(line.values.value(QStringLiteral("--page-size")), u'x', 1, kMaxPagePixels,
                         width, height)) {
        error = QStringLiteral("--dpi D (1 to %1) and --page-size WxH (pixels) go together")
                    .arg(kMaxDpi);
        return false;
    }
    lines = PrinterScale(report.settings(), dpi, width, height).linesPerPage;
    return true;
}

int Pages(const QStringList& words, const ReportSite& site, CliIo& io)
{
    ReportCommandLine line;
    QString error =
        ParseReportCommandLine(words, {QStringLiteral("--dpi"), QStringLiteral("--page-size")},
                               {QStringLiteral("--preview")}, line);
    if (error.isEmpty() && line.Has(QStringLiteral("--preview")) &&
        line.Has(QStringLiteral("--dpi")))
        error = QStringLiteral("--preview and --dpi exclude each other");
    if (!error.isEmpty())
        return ReportUsage(io, error);
    CliMessages messages(io);
    const std::unique_ptr<tbl_report> report = OpenReport(line.file, site, messages);
    if (!report)
        return kCliFailure;
    int linesPerPage = 1;
    if (!LinesPerPage(line, *report, linesPerPage, error))
        return ReportUsage(io, error);
    const ReportPageModel model(report->data_lines());
    for (const ReportPageModel::Page& page : model.Pages(linesPerPage))
        io.WriteLine(QStringLiteral("%1 %2 %3 %4 %5")
                         .arg(page.section)
                         .arg(page.page)
                         .arg(page.first)
                         .arg(page.last)
                         .arg(page.lastOfSection ? 1 : 0));
    return kCliSuccess;
}

// The save dialog's formats, each found in the report's list (the program
// adds PDF and the spreadsheet after the report's own) by its file pattern.
struct ExportOption
{
    const char* option;
    const char* pattern;
    bool drawsText; // which needs the GUI application
};
constexpr ExportOption kExportOptions[] = {
    {"--csv", "|*.csv", false}, {"--tab", "|*.txt", false},   {"--srp", "|*.srp", false},
    {"--pdf", "|*.pdf", true},  {"--xlsx", "|*.xlsx", false},
};

int Export(const QStringList& words, const ReportSite& site, CliIo& io)
{
    QStringList options;
    for (const ExportOption& format : kExportOptions)
        options << QString::fromLatin1(format.option);
    ReportCommandLine line;
    QString error = ParseReportCommandLine(words, options, {}, line);
    if (error.isEmpty() && line.values.size() != 1)
        error = QStringLiteral("Give one of --csv, --tab, --srp, --pdf and --xlsx with the file to "
                               "write");
    if (!error.isEmpty())
        return ReportUsage(io, error);
    CliMessages messages(io);
    const std::unique_ptr<tbl_report> report = OpenReport(line.file, site, messages);
    if (!report)
        return kCliFailure;
    AddProgramExports(*report);
    // Exactly one format was given (checked above).
    const ExportOption& chosen = *std::find_if(
        std::begin(kExportOptions), std::end(kExportOptions),
        [&](const ExportOption& format) { return line.Has(QString::fromLatin1(format.option)); });
    std::optional<CliGuiScope> gui;
    if (chosen.drawsText && !gui.emplace().Ready())
        return CliGuiScope::Unavailable(io);
    const QString pattern = QString::fromLatin1(chosen.pattern);
    const QString target = line.values.value(QString::fromLatin1(chosen.option));
    for (const std::unique_ptr<my_save>& format : report->exports()) {
        if (format->filter().endsWith(pattern))
            return format->save(*report, target, messages) ? kCliSuccess : kCliFailure;
    }
    return io.Fail(QStringLiteral("The report offers no %1 format").arg(pattern.mid(1)));
}

} // namespace

int ReportUsage(CliIo& io, const QString& error)
{
    return io.Fail(error + u'\n' + QString::fromLatin1(kReportUsage));
}

void CliMessages::ShowMessage(const QString& text)
{
    m_io.WriteError(text);
}

QString ParseReportCommandLine(const QStringList& words, const QStringList& valueOptions,
                               const QStringList& flagOptions, ReportCommandLine& line)
{
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString& word = words[i];
        if (line.Has(word))
            return QStringLiteral("%1 is given twice").arg(word);
        if (valueOptions.contains(word)) {
            if (i + 1 >= words.size())
                return QStringLiteral("%1 needs a value").arg(word);
            line.values.insert(word, words[++i]);
        } else if (flagOptions.contains(word)) {
            line.flags.insert(word);
        } else if (word.startsWith(QStringLiteral("--"))) {
            return QStringLiteral("Unknown option %1").arg(word);
        } else if (!line.file.isEmpty()) {
            return QStringLiteral("Only one FILE may be given");
        } else {
            line.file = word;
        }
    }
    return line.file.isEmpty() ? QStringLiteral("FILE is required") : QString();
}

bool ParseNumberPair(const QString& text, QChar separator, int low, int high, int& first,
                     int& second)
{
    const QStringList parts = text.split(separator);
    if (parts.size() != 2)
        return false;
    bool firstOk = false;
    bool secondOk = false;
    first = parts[0].toInt(&firstOk);
    second = parts[1].toInt(&secondOk);
    return firstOk && secondOk && first >= low && first <= high && second >= low && second <= high;
}

QString TakePrintRange(const ReportCommandLine& line, tbl_report& report)
{
    int from = 0;
    int to = 0;
    if (line.Has(QStringLiteral("--range")) &&
        (!ParseNumberPair(line.values.value(QStringLiteral("--range")), u',', 1,
                          std::numeric_limits<int>::max(), from, to) ||
         from > to))
        return QStringLiteral("--range must be FROM,TO with 1 <= FROM <= TO");
    report.set_print_range(from, to);
    report.set_footnote(line.values.value(QStringLiteral("--footnote")));
    return QString();
}

ReportSite ReadReportSite(const QString& configFile)
{
    ReportSite site;
    if (!QFileInfo::exists(configFile))
        return site;
    const IniFile configuration(configFile);
    site.values = ReadSiteValues(configuration);
    site.font =
        configuration.ReadString(QStringLiteral("ZESTAWIENIA"), QStringLiteral("font"), QString());
    return site;
}

std::unique_ptr<tbl_report> OpenReport(const QString& file, const ReportSite& site,
                                       OperatorMessages& messages)
{
    std::unique_ptr<tbl_report> report =
        tbl_report::Open(QStringLiteral("Zestawienie"), file, messages, site.values);
    if (report && !site.font.isEmpty())
        report->set_report_font(site.font);
    return report;
}

int RunReportCommand(const QStringList& arguments, const QString& configFile, CliIo& io)
{
    const QString verb = arguments.value(0);
    const QStringList words = arguments.mid(1);
    const ReportSite site = ReadReportSite(configFile);
    if (verb == QStringLiteral("pages"))
        return Pages(words, site, io);
    if (verb == QStringLiteral("render"))
        return RunReportRender(words, site, io);
    if (verb == QStringLiteral("export"))
        return Export(words, site, io);
    if (verb == QStringLiteral("print"))
        return RunReportPrint(words, site, io);
    return io.Fail(QString::fromLatin1(kReportUsage));
}
