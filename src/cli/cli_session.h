#pragma once

#include "catalog/login_dialogs.h"

#include <QString>

class CliIo;
class Twypozyczalnia;
struct ServerOptions;

// The session of one server command (`catalog`, `visits`), opened the way
// the reading-room program's automatic login opens it. Nobody can answer a
// question in a script: reconnecting is declined, a password change is never
// offered, and every text meant for the operator goes to the error stream.
// The session is the current one while the object lives.
class CliSession : private LoginDialogs
{
public:
    explicit CliSession(CliIo& io);
    ~CliSession() override;
    CliSession(const CliSession&) = delete;
    CliSession& operator=(const CliSession&) = delete;

    // Connects, checks the service and logs in; false with the reason on
    // the error stream.
    bool Open(const ServerOptions& server);
    // The open session; only after Open succeeded.
    Twypozyczalnia& Session();
    // Writes `text` to the error stream, unless it is the text written last
    // (a failure the client reported while it happened comes back as the
    // operation's result too), and returns the failure exit code.
    int Fail(const QString& text);

private:
    bool AskYes(const QString& question) override;
    void ShowError(const QString& text) override;
    void ShowInfo(const QString& text) override;
    void ShowPlain(const QString& text) override;
    bool AskPassword(const QString& label, bool forced, QString& password) override;
    void SetBusy(bool) override {}

    void ConnectionLost(const QString& text);
    void Message(const QString& text);

    CliIo& m_io;
    QString m_lastError;
};
