#include "app/ui/tnotifier.h"

#include "app/ui/modal_runner.h"
#include "app/ui/tokno_komunikatu.h"

#include <QApplication>
#include <QMetaObject>
#include <QThread>

#include <cstdio>
#include <mutex>
#include <utility>

namespace {

// Lets one message window at a time be requested from threads other than the
// GUI thread.
std::mutex& MessageLock()
{
    static std::mutex lock;
    return lock;
}

// The application that can show windows, or null when there is none (a
// program without windows, or one that is shutting down).
QApplication* WindowApplication()
{
    if (QCoreApplication::closingDown())
        return nullptr;
    return qobject_cast<QApplication*>(QCoreApplication::instance());
}

} // namespace

TNotifier::TNotifier(MessageKind kind, QString text, int defaultAnswer)
    : m_kind(kind), m_text(std::move(text)), m_defaultAnswer(defaultAnswer)
{}

void TNotifier::Run()
{
    QApplication* app = WindowApplication();
    if (app == nullptr) {
        ShowWithoutWindow();
        return;
    }
    // On the GUI thread the window opens at once, without the lock: waiting
    // there for a worker's window would wait for this very thread. A window
    // asked for while another is open (from a handler running inside its
    // event loop, or while a worker's window is up) simply opens on top.
    if (QThread::currentThread() == app->thread()) {
        ShowOnGuiThread();
        return;
    }
    std::lock_guard<std::mutex> lock(MessageLock());
    bool shown = false;
    // If the application goes away before it gets to the request, the
    // pending call is dropped and the wait ends without the window.
    const bool delivered = QMetaObject::invokeMethod(
        app,
        [this, &shown] {
            ShowOnGuiThread();
            shown = true;
        },
        Qt::BlockingQueuedConnection);
    if (!delivered || !shown)
        ShowWithoutWindow();
}

void TNotifier::ShowOnGuiThread()
{
    TOknoKomunikatu window(m_kind, m_text, m_defaultAnswer);
    m_answer = RunModal(window);
}

// Nothing can be shown: the text goes to the error output so it is not lost,
// and a question counts as answered "Nie", the answer that changes nothing.
void TNotifier::ShowWithoutWindow()
{
    const QString caption = MessageWindowFor(m_kind, m_defaultAnswer).caption;
    std::fprintf(stderr, "%s %s\n", qUtf8Printable(caption), qUtf8Printable(m_text));
    m_answer = kAnswerNo;
}
