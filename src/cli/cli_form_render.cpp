// czytelnia-cli form render: draws the parameter window as it opens for a
// form, so that a form author can look at a form without a server.
#include "cli/cli_command.h"
#include "cli/cli_content_lines.h"
#include "cli/cli_gui_scope.h"
#include "cli/cli_io.h"
#include "cli/cli_report.h"
#include "forms/ui/parametry.h"

#include <QApplication>
#include <QFile>
#include <QHash>
#include <QPixmap>

namespace {

const char kFormRenderUsage[] =
    "Usage: czytelnia-cli form render FILE [--initial TEXT] [--content NAME=FILE ...]\n"
    "                                 --png OUT\n"
    "Draws the parameter window for the form in FILE with the values of TEXT\n"
    "(name|value| pairs, as the last run of a report left them) to OUT. Each\n"
    "--content gives the TEXT or PANEL field NAME the lines of FILE (in the\n"
    "configuration's code page), as the report's owner would.\n"
    "The form's messages go to standard error.\n";

// Takes the --content options out of `words`; false with `error` set when
// one is malformed or its file cannot be read.
bool TakeContent(QStringList& words, QHash<QString, QStringList>& content, QString& error)
{
    for (qsizetype i = words.indexOf(QStringLiteral("--content")); i >= 0;
         i = words.indexOf(QStringLiteral("--content"), i)) {
        const QString pair = words.value(i + 1);
        const qsizetype split = pair.indexOf(u'=');
        if (split <= 0) {
            error = QStringLiteral("--content takes NAME=FILE");
            return false;
        }
        QFile file(pair.mid(split + 1));
        if (!file.open(QIODevice::ReadOnly)) {
            error = QStringLiteral("Cannot read the file %1").arg(file.fileName());
            return false;
        }
        content.insert(pair.left(split), ContentLines(file.readAll()));
        words.remove(i, 2);
    }
    return true;
}

} // namespace

int RunFormRenderCommand(const QStringList& arguments, CliIo& io)
{
    QStringList words = arguments;
    QHash<QString, QStringList> content;
    QString error;
    if (!TakeContent(words, content, error))
        return io.Fail(error + u'\n' + QString::fromLatin1(kFormRenderUsage));
    ReportCommandLine line;
    error = ParseReportCommandLine(words, {QStringLiteral("--initial"), QStringLiteral("--png")},
                                   {}, line);
    if (!error.isEmpty())
        return io.Fail(error + u'\n' + QString::fromLatin1(kFormRenderUsage));
    if (!line.Has(QStringLiteral("--png")))
        return io.Fail(QStringLiteral("Give --png OUT\n") + QString::fromLatin1(kFormRenderUsage));
    CliGuiScope gui;
    if (!gui.ShowsWidgets())
        return CliGuiScope::Unavailable(io);
    TOknoParametrow window;
    CliMessages messages(io);
    if (!window.Open(QStringLiteral("Parametry zestawienia"), line.file, QStringLiteral("Wykonaj"),
                     line.values.value(QStringLiteral("--initial")), messages,
                     [&content](FormEvent event, my_record&, const QString& name) {
                         if (event == FormEvent::Announce && content.contains(name))
                             return std::optional<QStringList>(content.value(name));
                         return std::optional<QStringList>();
                     }))
        return kCliFailure;
    window.show();
    QApplication::processEvents();
    const QString out = line.values.value(QStringLiteral("--png"));
    const bool saved = window.grab().save(out, "PNG");
    window.Close();
    return saved ? kCliSuccess : io.Fail(QStringLiteral("Cannot write the file %1").arg(out));
}
