#pragma once

#include "app/message_window_layout.h"

#include <QString>

// One request for a message window, made on any thread: it takes the
// process-wide message lock, has the GUI thread create and show the window,
// and keeps the answer. On the GUI thread itself the window is shown
// directly, since waiting there for the GUI thread would never end.
class TNotifier
{
public:
    TNotifier(MessageKind kind, QString text, int defaultAnswer = 0);

    // Shows the window and returns once it is closed.
    void Run();
    int Answer() const { return m_answer; }

private:
    void ShowOnGuiThread();
    void ShowWithoutWindow();

    MessageKind m_kind;
    QString m_text;
    int m_defaultAnswer;
    int m_answer = 0;
};
