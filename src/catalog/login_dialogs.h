#pragma once

#include <QString>

// The questions and windows that opening a session needs. The reading-room
// program shows them as windows; the command-line tool and the tests answer
// them on their own. Every call returns once the operator has answered.
class LoginDialogs
{
public:
    virtual ~LoginDialogs() = default;

    // A yes/no question whose default answer is yes; true for "Tak".
    virtual bool AskYes(const QString& question) = 0;
    // The error window and the information window.
    virtual void ShowError(const QString& text) = 0;
    virtual void ShowInfo(const QString& text) = 0;
    // A plain message box, for the server's refusal of a login.
    virtual void ShowPlain(const QString& text) = 0;
    // One showing of the change-password window with `label` above the
    // field; false when it was closed without "OK". `forced` says the
    // server demands the change (the window is then centred on the screen).
    virtual bool AskPassword(const QString& label, bool forced, QString& password) = 0;
    // The hourglass cursor while a server call made for the operator runs.
    virtual void SetBusy(bool busy) = 0;
};
