#pragma once

#include "catalog/login_dialogs.h"

#include <QPoint>

class TOknoZmianyHasla;

// Opening a session with the program's windows: the message windows, the
// plain message box, the change-password window and the hourglass cursor.
class WindowDialogs : public LoginDialogs
{
public:
    explicit WindowDialogs(TOknoZmianyHasla& passwordWindow);
    ~WindowDialogs() override;

    // Where a change of password not demanded by the server is asked for.
    void SetPasswordWindowPosition(QPoint topLeft) { m_passwordPosition = topLeft; }

    bool AskYes(const QString& question) override;
    void ShowError(const QString& text) override;
    void ShowInfo(const QString& text) override;
    void ShowPlain(const QString& text) override;
    bool AskPassword(const QString& label, bool forced, QString& password) override;
    void SetBusy(bool busy) override;

private:
    TOknoZmianyHasla& m_passwordWindow;
    QPoint m_passwordPosition;
    int m_busy = 0; // hourglass cursors set and not yet taken away
};
