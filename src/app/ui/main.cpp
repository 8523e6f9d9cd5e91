// czytelnia: the reading-room program.
#include "app/ui/program_windows.h"
#include "app/ui/tokno_czytelni.h"
#include "catalog/current_session.h"
#include "client/lm_timer.h"
#include "config/config_file_name.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdio>

namespace {

// Without a display the toolkit would end the program with a message few
// librarians or administrators could act on.
bool DisplayAvailable()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char** argv)
{
    if (!DisplayAvailable()) {
        std::fputs("czytelnia: brak ekranu (zmienne DISPLAY i WAYLAND_DISPLAY nie są ustawione).\n"
                   "Uruchom program w sesji graficznej albo na ekranie wirtualnym:\n"
                   "  xvfb-run -a czytelnia [plik.ini]\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    // The toolkit's own dialogs (files, printing) speak the program's
    // language, Polish, whatever the desktop's locale.
    QTranslator toolkit;
    if (toolkit.load(QLocale(QLocale::Polish), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&toolkit);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    const QString configFile =
        ConfigurationFileName(QCoreApplication::applicationFilePath(), arguments);
    const int rc = [&] {
        ProgramWindows windows(configFile,
                               QCoreApplication::applicationDirPath() + QLatin1Char('/'));
        // Queued: the window ends the program from inside its first paint.
        QObject::connect(&windows.Czytelnia(), &TOknoCzytelni::ProgramEnded, &app,
                         &QCoreApplication::quit, Qt::QueuedConnection);
        windows.Czytelnia().show();
        const int result = QApplication::exec();
        // Closing the window has ended the session already; a program ended
        // otherwise ends it here, while the windows its handlers report to
        // still exist.
        EndCurrentSession();
        return result;
    }();
    TTimer::Shutdown();
    return rc;
}
