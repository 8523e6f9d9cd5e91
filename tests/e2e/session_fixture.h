#pragma once

#include "catalog/current_session.h"
#include "catalog/login_dialogs.h"
#include "catalog/session_opening.h"
#include "catalog/twypozyczalnia.h"
#include "client/https_settings.h"
#include "e2e_client.h"

#include <QStringList>

#include <deque>

// The operator's side of opening a session, answered by the test: each
// question takes the next prepared answer (no answer left means "Nie"),
// each password window the next prepared text (none left means the
// window was closed), and every text shown is kept with its kind.
class ScriptedDialogs : public LoginDialogs
{
public:
    std::deque<bool> answers;
    std::deque<QString> passwords;
    QStringList shown;
    int busy = 0;
    int passwordWindows = 0;
    bool forcedWindow = false;

    bool AskYes(const QString& question) override
    {
        shown << QStringLiteral("pytanie: ") + question;
        return Next(answers, false);
    }
    void ShowError(const QString& text) override { shown << QStringLiteral("błąd: ") + text; }
    void ShowInfo(const QString& text) override { shown << QStringLiteral("info: ") + text; }
    void ShowPlain(const QString& text) override { shown << QStringLiteral("komunikat: ") + text; }
    bool AskPassword(const QString& label, bool forced, QString& password) override
    {
        ++passwordWindows;
        forcedWindow = forced;
        shown << QStringLiteral("hasło: ") + label;
        if (passwords.empty())
            return false;
        password = Next(passwords, QString());
        return true;
    }
    void SetBusy(bool on) override { busy += on ? 1 : -1; }

    // The connection-lost handler and the message box of the session.
    void Error(const QString& text)
    {
        errors << text;
        AskAndReconnect(text, *this);
    }
    void Message(const QString& text) { shown << QStringLiteral("wiadomość: ") + text; }
    QStringList errors;

private:
    template <typename T> static T Next(std::deque<T>& queue, T none)
    {
        if (queue.empty())
            return none;
        T value = queue.front();
        queue.pop_front();
        return value;
    }
};

// Where a session goes: the simulator's TCP port or its HTTPS side.
inline SessionTarget TargetOf(const SimServer& sim, Transport transport, ScriptedDialogs& dialogs,
                              const QString& user = QStringLiteral("demo"),
                              const QString& password = QStringLiteral("demo"))
{
    SessionTarget target;
    if (transport == Transport::Https) {
        SetHttpsSettings({sim.CertificateFile(), true});
        target.address = sim.HttpsUrl();
    } else {
        target.address = QStringLiteral("127.0.0.1");
        target.port = sim.Port();
    }
    target.user = user;
    target.password = password;
    target.service = QStringLiteral("czytelnia");
    target.identification = VersionIdentification(QLatin1Char('C'));
    target.onError = TTextHandler::Of<&ScriptedDialogs::Error>(&dialogs);
    target.onMessage = TTextHandler::Of<&ScriptedDialogs::Message>(&dialogs);
    return target;
}

// Every test leaves the process without a session, as the program does at
// its close.
struct SessionEnds
{
    ~SessionEnds() { EndCurrentSession(); }
};
