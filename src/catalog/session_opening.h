#pragma once

#include "client/nura_handlers.h"

#include <QChar>
#include <QString>

class LoginDialogs;
class TNuraClient;

// Where and as whom a session is opened.
struct SessionTarget
{
    QString address;
    qint32 port = 0;
    QString user;
    QString password;
    QString service;
    // The client identification the server is greeted with.
    QString identification;
    // The client's handlers: the connection-lost handler (see
    // AskAndReconnect) and the operator's message box.
    TTextHandler onError;
    TTextHandler onMessage;
};

// How the session is opened: from the login window, with questions and the
// hourglass, or without a window (the automatic login), where a missing
// service goes to the message handler and no password change is offered.
enum class LoginMode
{
    Interactive,
    Automatic
};

// Opens a session and logs in: connects, asking whether to try again while
// the connection fails; checks the service; logs in; has the password
// changed while the server demands it (interactive) or gives up
// (automatic); and loads the catalog description again when the server
// says it changed. On success the session is the current one and the
// result is true; otherwise there is no current session.
bool OpenSessionAndLogIn(const SessionTarget& target, LoginMode mode, LoginDialogs& dialogs);

// The connection-lost handler: while `text` is not empty, asks whether to
// connect again and reconnects the current session, taking its new error
// text. Does nothing while there is no current session (one still being
// built reports its failure itself).
void AskAndReconnect(const QString& text, LoginDialogs& dialogs);

// Asks for a new password twice and has the server change it. Returns
// whether the change was attempted: not when the client is in the error
// state, a window was closed, or the two texts differ.
bool ChangePassword(TNuraClient& client, bool forced, LoginDialogs& dialogs);
// Changes the password while the server demands it; true when it no longer
// does.
bool ChangePasswordWhileDemanded(TNuraClient& client, bool forced, LoginDialogs& dialogs);

// "version=" + the client mode character + major.minor.release of the
// program's version, as the server is told which program greets it.
QString VersionIdentification(QChar clientMode);
