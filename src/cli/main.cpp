// czytelnia-cli: the reading-room program's command-line tool for
// administrators, scripts and tests.
#include "cli/cli_command.h"
#include "cli/cli_io.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QFile input;
    input.open(stdin, QIODevice::ReadOnly);
    CliIo io(input);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    const int rc = RunCli(arguments, QCoreApplication::applicationDirPath(), io);
    std::fwrite(io.Out().constData(), 1, static_cast<size_t>(io.Out().size()), stdout);
    std::fwrite(io.Err().constData(), 1, static_cast<size_t>(io.Err().size()), stderr);
    return rc;
}
