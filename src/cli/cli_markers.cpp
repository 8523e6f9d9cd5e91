#include "cli/cli_command.h"
#include "cli/cli_io.h"
#include "forms/marker_specification.h"
#include "forms/marker_text.h"

namespace {

const char kMarkersUsage[] = "Usage: czytelnia-cli markers TEXT --mask MASK";

} // namespace

// The first line is what the marker memo shows, each marker's display text
// in square brackets; the second the stored text read back from that
// display, as the field's value would be.
int RunMarkersCommand(const QStringList& arguments, CliIo& io)
{
    QStringList words = arguments;
    const qsizetype option = words.indexOf(QStringLiteral("--mask"));
    if (option < 0 || option + 1 >= words.size())
        return io.Fail(QString::fromLatin1(kMarkersUsage));
    const QString specification = words[option + 1];
    words.remove(option, 2);
    if (words.size() != 1)
        return io.Fail(QString::fromLatin1(kMarkersUsage));
    MarkerText text;
    text.UseSpecification(ParseMarkerSpecification(specification));
    text.SetStoredText(words.first());
    io.WriteLine(text.BracketedDisplay());
    io.WriteLine(text.RebuildStored(text.DisplayRuns()));
    return kCliSuccess;
}
