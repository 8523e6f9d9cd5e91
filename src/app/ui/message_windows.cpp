#include "app/ui/message_windows.h"

#include "app/ui/tnotifier.h"

void ShowError(const QString& text)
{
    TNotifier notifier(MessageKind::Error, text);
    notifier.Run();
}

void ShowInfo(const QString& text)
{
    TNotifier notifier(MessageKind::Notice, text);
    notifier.Run();
}

int AskQuestion(const QString& text, int defaultAnswer)
{
    TNotifier notifier(MessageKind::Question, text, defaultAnswer);
    notifier.Run();
    return notifier.Answer();
}
