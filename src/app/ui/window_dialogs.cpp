#include "app/ui/window_dialogs.h"

#include "app/ui/message_windows.h"
#include "app/ui/plain_message_box.h"
#include "app/ui/tokno_zmiany_hasla.h"

#include <QGuiApplication>

WindowDialogs::WindowDialogs(TOknoZmianyHasla& passwordWindow) : m_passwordWindow(passwordWindow) {}

WindowDialogs::~WindowDialogs()
{
    // A session opening cut short must not leave the hourglass behind.
    if (qGuiApp != nullptr)
        while (m_busy > 0)
            SetBusy(false);
}

bool WindowDialogs::AskYes(const QString& question)
{
    return AskQuestion(question, kAnswerYes) == kAnswerYes;
}

void WindowDialogs::ShowError(const QString& text)
{
    ::ShowError(text);
}

void WindowDialogs::ShowInfo(const QString& text)
{
    ::ShowInfo(text);
}

void WindowDialogs::ShowPlain(const QString& text)
{
    ShowPlainMessage(text);
}

bool WindowDialogs::AskPassword(const QString& label, bool forced, QString& password)
{
    return m_passwordWindow.Ask(label, forced, m_passwordPosition, password);
}

// Only the cursors this object set are taken away again, so an unmatched
// "not busy" cannot remove a cursor someone else set.
void WindowDialogs::SetBusy(bool busy)
{
    if (busy) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        ++m_busy;
    } else if (m_busy > 0) {
        QGuiApplication::restoreOverrideCursor();
        --m_busy;
    }
}
