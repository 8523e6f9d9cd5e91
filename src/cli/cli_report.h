#pragma once

// What the report commands of czytelnia-cli share: their messages, their
// command lines, the configuration they read and opening the report.

#include "operator_messages.h"
#include "reports/report_expressions.h"
#include "reports/tbl_report.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>

class CliIo;

// The report's messages for the operator, one line each on standard error.
class CliMessages : public OperatorMessages
{
public:
    explicit CliMessages(CliIo& io) : m_io(io) {}
    void ShowMessage(const QString& text) override;

private:
    CliIo& m_io;
};

// The words of one `report` command: the report file and the options, each
// given at most once.
struct ReportCommandLine
{
    QString file;
    QHash<QString, QString> values; // "--page" -> "1,2"
    QSet<QString> flags;            // "--ops"

    bool Has(const QString& option) const
    {
        return values.contains(option) || flags.contains(option);
    }
};

// Reads `words` (after the verb) given the options that take a value and the
// plain flags this verb knows; an error text when something does not fit.
QString ParseReportCommandLine(const QStringList& words, const QStringList& valueOptions,
                               const QStringList& flagOptions, ReportCommandLine& line);

// "A,B" or "AxB" with both numbers from `low` to `high`.
bool ParseNumberPair(const QString& text, QChar separator, int low, int high, int& first,
                     int& second);

// What the configuration file gives a report: the installation's texts
// behind "%0", "%1", "%2" and the report font.
struct ReportSite
{
    SiteValues values;
    QString font;
};
ReportSite ReadReportSite(const QString& configFile);

// Opens the report as the preview would; null when it cannot be shown (the
// reason is on the error stream).
std::unique_ptr<tbl_report> OpenReport(const QString& file, const ReportSite& site,
                                       OperatorMessages& messages);

// Fails with `error` followed by the usage of the report commands.
int ReportUsage(CliIo& io, const QString& error);

// The pages to print (--range FROM,TO; every page without it) and the
// footnote (--footnote) of a print job, put on the report; an error text
// when the range is not one.
QString TakePrintRange(const ReportCommandLine& line, tbl_report& report);

int RunReportRender(const QStringList& words, const ReportSite& site, CliIo& io);
int RunReportPrint(const QStringList& words, const ReportSite& site, CliIo& io);
