// czytelnia-cli catalog: what the server's catalog offers, as the
// reading-room program loads it when a session opens.
#include "catalog/twypozyczalnia.h"
#include "cli/cli_command.h"
#include "cli/cli_io.h"
#include "cli/cli_server_options.h"
#include "cli/cli_session.h"

namespace {

const char kCatalogUsage[] =
    "Usage: czytelnia-cli catalog --address A --port P --user U --password W\n"
    "                             [--service S] [--cafile FILE | --insecure]\n"
    "Logs in and prints the catalog's description, one object per line, the\n"
    "fields separated by tabs (a tab, line break or backslash inside a field is\n"
    "written \\t, \\r, \\n or \\\\). Without --service no service is asked for.\n"
    "  generation NURA1|NURA2|NURA3 dated=yes|no\n"
    "  edition N\n"
    "  reports-at ADDRESS:PORT\n"
    "  footer TEXT\n"
    "  index NAME kind=K ind=N pre=P khw=DICTIONARY\n"
    "  dictionary ID NAME, then its indexes:\n"
    "  dictionary-index ID NAME kind=K ind=N pre=P\n"
    "  criterium NAME type=T khw=DICTIONARY par=yes|no act=A opt=O\n"
    "  s NAME\n"
    "  sd NAME\n"
    "  format ID NAME type=T\n"
    "  report ID IDF NAME group=G kind=K icon=I form=par|win|none act=A opt=O\n"
    "  program ID NAME group=G par=yes|no act=A opt=O cal=C aft=F app=P\n"
    "  filter ID NAME\n"
    "  filter-report ID IDF                  (only when there is one)\n";

// Keeps one object on one line whatever its texts hold.
QString Field(const QString& text)
{
    QString field;
    field.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('\\'))
            field += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\t'))
            field += QStringLiteral("\\t");
        else if (c == QLatin1Char('\r'))
            field += QStringLiteral("\\r");
        else if (c == QLatin1Char('\n'))
            field += QStringLiteral("\\n");
        else
            field += c;
    }
    return field;
}

QString Named(const char* name, const QString& value)
{
    return QLatin1String(name) + QLatin1Char('=') + Field(value);
}

QString YesNo(const char* name, bool yes)
{
    return QLatin1String(name) + (yes ? QLatin1String("=yes") : QLatin1String("=no"));
}

class CatalogPrinter
{
public:
    explicit CatalogPrinter(CliIo& io) : m_io(io) {}

    void Print(const Twypozyczalnia& session)
    {
        PrintServer(session);
        const CatalogDescription& description = session.Description();
        PrintIndexes(description);
        PrintSearch(description);
        PrintReports(description);
    }

private:
    // Fields that are already in line form (kinds, numbers, yes/no) pass as
    // they are; texts go through Field.
    void Line(const char* kind, const QStringList& fields)
    {
        m_io.WriteLine(QLatin1String(kind) + QLatin1Char('\t') + fields.join(QLatin1Char('\t')));
    }

    void PrintServer(const Twypozyczalnia& session)
    {
        static const char* const generations[] = {"NURA1", "NURA2", "NURA3"};
        const quint8 generation = session.Generation();
        Line("generation", {QLatin1String(generation < 3 ? generations[generation] : "?"),
                            YesNo("dated", session.DatedGeneration())});
        Line("edition", {QString::number(session.Edition())});
        Line("reports-at", {Field(session.ReportAddress()) + QLatin1Char(':') +
                            QString::number(session.ReportPort())});
        Line("footer", {Field(session.Footer())});
    }

    void PrintIndexes(const CatalogDescription& description)
    {
        for (const nura_order& index : description.indexes)
            Line("index", {Field(index.Name()), QStringLiteral("kind=%1").arg(index.Kind()),
                           QStringLiteral("ind=%1").arg(index.IndexNumber()),
                           Named("pre", index.Prefix()), Named("khw", index.Dictionary())});
        for (const nura_KHW& dictionary : description.dictionaries) {
            Line("dictionary", {Field(dictionary.identifier), Field(dictionary.name)});
            for (const nura_KHW_index& index : dictionary.indexes)
                Line("dictionary-index",
                     {Field(dictionary.identifier), Field(index.name),
                      QStringLiteral("kind=%1").arg(index.kind),
                      QStringLiteral("ind=%1").arg(index.indexNumber), Named("pre", index.prefix)});
        }
    }

    void PrintSearch(const CatalogDescription& description)
    {
        for (const nura_criterium& criterium : description.criteria)
            Line("criterium",
                 {Field(criterium.name), Named("type", criterium.type),
                  Named("khw", criterium.dictionary), YesNo("par", !criterium.par.isEmpty()),
                  Named("act", criterium.act), Named("opt", criterium.opt)});
        for (const QString& name : description.sNames)
            Line("s", {Field(name)});
        for (const QString& name : description.sdNames)
            Line("sd", {Field(name)});
        for (const nura_format& format : description.formats)
            Line("format", {QString::number(format.identifier), Field(format.name),
                            Named("type", format.type)});
    }

    void PrintReports(const CatalogDescription& description)
    {
        for (const nura_report& report : description.reports)
            Line("report",
                 {QString::number(report.identifier), Field(report.idf), Field(report.name),
                  Named("group", report.group), Named("kind", report.kind),
                  Named("icon", report.icon), FormSource(report), Named("act", report.act),
                  Named("opt", report.opt)});
        for (const nura_programm& program : description.programs)
            Line("program",
                 {Field(program.identifier), Field(program.name), Named("group", program.group),
                  YesNo("par", !program.par.isEmpty()), Named("act", program.act),
                  Named("opt", program.opt), Named("cal", program.cal), Named("aft", program.aft),
                  Named("app", program.app)});
        for (const nura_filter& filter : description.filters)
            Line("filter", {Field(filter.identifier), Field(filter.name)});
        if (description.filterReport >= 0) {
            const nura_report& report =
                description.reports.at(static_cast<size_t>(description.filterReport));
            Line("filter-report", {QString::number(report.identifier), Field(report.idf)});
        }
    }

    // A report without a form of its own may still show a window text.
    static QString FormSource(const nura_report& report)
    {
        if (report.form.isEmpty())
            return QStringLiteral("form=none");
        return report.noForm ? QStringLiteral("form=win") : QStringLiteral("form=par");
    }

    CliIo& m_io;
};

} // namespace

int RunCatalogCommand(QStringList arguments, CliIo& io)
{
    ServerOptions server;
    if (!TakeServerOptions(arguments, server) || !arguments.isEmpty() || server.user.isEmpty())
        return io.Fail(QString::fromLatin1(kCatalogUsage));
    CliSession session(io);
    if (!session.Open(server))
        return kCliFailure;
    CatalogPrinter(io).Print(session.Session());
    return kCliSuccess;
}
