// czytelnia-cli: the reading-room program's command-line tool for
// administrators, scripts and tests.
#include "cli/cli_command.h"
#include "cli/cli_io.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <memory>

namespace {

// Report pictures and PDF files hold text, and fonts come from the
// platform, which only a QGuiApplication sets up; the rich text view is
// made of widgets, which need a QApplication. The tool never shows a
// window, so the offscreen platform serves it with or without a display.
std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (!CliNeedsGui(arguments))
        return std::make_unique<QCoreApplication>(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QApplication>(argc, argv);
}

} // namespace

int main(int argc, char** argv)
{
    const std::unique_ptr<QCoreApplication> app = MakeApplication(argc, argv);
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
