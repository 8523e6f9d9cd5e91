// czytelnia-cli form render: draws the parameter window as it opens for a
// form, so that a form author can look at a form without a server.
#include "cli/cli_command.h"
#include "cli/cli_gui_scope.h"
#include "cli/cli_io.h"
#include "cli/cli_report.h"
#include "forms/ui/parametry.h"

#include <QApplication>
#include <QPixmap>

namespace {

const char kFormRenderUsage[] =
    "Usage: czytelnia-cli form render FILE [--initial TEXT] --png OUT\n"
    "Draws the parameter window for the form in FILE with the values of TEXT\n"
    "(name|value| pairs, as the last run of a report left them) to OUT.\n"
    "The form's messages, and the kinds of field not shown yet, go to standard\n"
    "error.\n";

} // namespace

int RunFormRenderCommand(const QStringList& arguments, CliIo& io)
{
    ReportCommandLine line;
    const QString error = ParseReportCommandLine(
        arguments, {QStringLiteral("--initial"), QStringLiteral("--png")}, {}, line);
    if (!error.isEmpty())
        return io.Fail(error + u'\n' + QString::fromLatin1(kFormRenderUsage));
    if (!line.Has(QStringLiteral("--png")))
        return io.Fail(QStringLiteral("Give --png OUT\n") + QString::fromLatin1(kFormRenderUsage));
    CliGuiScope gui;
    if (!gui.ShowsWidgets())
        return CliGuiScope::Unavailable(io);
    TOknoParametrow window;
    CliMessages messages(io);
    QStringList unsupported;
    if (!window.Open(QStringLiteral("Parametry zestawienia"), line.file, QStringLiteral("Wykonaj"),
                     line.values.value(QStringLiteral("--initial")), messages, unsupported))
        return kCliFailure;
    if (!unsupported.isEmpty())
        io.WriteError(QStringLiteral("Not shown by this version: ") +
                      unsupported.join(QStringLiteral(", ")));
    window.show();
    QApplication::processEvents();
    const QString out = line.values.value(QStringLiteral("--png"));
    const bool saved = window.grab().save(out, "PNG");
    window.Close();
    return saved ? kCliSuccess : io.Fail(QStringLiteral("Cannot write the file %1").arg(out));
}
