#include "cli/cli_gui_scope.h"

#include "cli/cli_io.h"

CliGuiScope::CliGuiScope()
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    m_app = std::make_unique<QApplication>(m_argc, m_argv);
}

bool CliGuiScope::Ready() const
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

bool CliGuiScope::ShowsWidgets() const
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

int CliGuiScope::Unavailable(CliIo& io)
{
    return io.Fail(QStringLiteral("Drawing text needs the GUI application"));
}
