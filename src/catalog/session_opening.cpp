#include "catalog/session_opening.h"

#include "catalog/current_session.h"
#include "catalog/login_dialogs.h"
#include "catalog/twypozyczalnia.h"
#include "client/nura_client.h"
#include "client/nura_text_helpers.h"
#include "version.h"

#include <memory>

namespace {

const QLatin1String kCrLf("\r\n");

QString ReconnectQuestion(const QString& error)
{
    return error + kCrLf + QStringLiteral("Czy nawiązać połączenie na nowo?");
}

// The hourglass for the duration of a server call made for the operator;
// only windows show it, so the automatic login goes without.
class BusyCursor
{
public:
    BusyCursor(LoginDialogs& dialogs, LoginMode mode)
        : m_dialogs(dialogs), m_on(mode == LoginMode::Interactive)
    {
        if (m_on)
            m_dialogs.SetBusy(true);
    }
    ~BusyCursor()
    {
        if (m_on)
            m_dialogs.SetBusy(false);
    }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    LoginDialogs& m_dialogs;
    bool m_on;
};

// Connects, asking whether to try again while it fails; null when the
// operator gave up. A failed attempt is ended before the next begins.
std::unique_ptr<Twypozyczalnia> Connect(const SessionTarget& target, LoginMode mode,
                                        LoginDialogs& dialogs)
{
    for (;;) {
        std::unique_ptr<Twypozyczalnia> session;
        {
            const BusyCursor busy(dialogs, mode);
            session =
                std::make_unique<Twypozyczalnia>(target.address, target.onError, target.onMessage,
                                                 true, target.identification, target.port);
        }
        if (session->Connected())
            return session;
        if (!dialogs.AskYes(ReconnectQuestion(session->ErrorText())))
            return nullptr;
    }
}

// The reading room needs its own parameter in the server's description;
// the circulation service is offered by every server, and a login for no
// service at all (the command-line tool reading a catalog) needs none.
QString MissingService(const TNuraClient& client, const QString& service)
{
    if (service.isEmpty() || service == QStringLiteral("wypożyczanie") ||
        !GetParam(client, service).isEmpty())
        return {};
    return QStringLiteral("Serwer nie realizuje usługi \"%1\"").arg(service);
}

// After the login: the password change the server may demand, and the
// description it may have changed for this user.
bool FinishLogin(Twypozyczalnia& session, LoginMode mode, const SessionTarget& target,
                 LoginDialogs& dialogs)
{
    TNuraClient& client = session.Client();
    if (mode == LoginMode::Interactive) {
        if (!ChangePasswordWhileDemanded(client, false, dialogs))
            return false;
    } else if (!client.LoginNotice().isEmpty()) {
        // Without a window nobody can enter the new password; the operator
        // is told why the login ends, as the server put it.
        target.onMessage(client.LoginNotice());
        return false;
    }
    const BusyCursor busy(dialogs, mode);
    const QString error = session.ReloadAfterLogin();
    if (!error.isEmpty())
        dialogs.ShowPlain(error);
    return error.isEmpty();
}

} // namespace

bool OpenSessionAndLogIn(const SessionTarget& target, LoginMode mode, LoginDialogs& dialogs)
{
    EndCurrentSession();
    std::unique_ptr<Twypozyczalnia> session = Connect(target, mode, dialogs);
    if (session == nullptr)
        return false;
    if (const QString missing = MissingService(session->Client(), target.service);
        !missing.isEmpty()) {
        session.reset();
        if (mode == LoginMode::Interactive)
            dialogs.ShowError(missing);
        else
            target.onMessage(missing);
        return false;
    }
    // Current from here on, so that a connection lost during the login is
    // offered again on this session.
    ReplaceCurrentSession(std::move(session));
    Twypozyczalnia& current = *CurrentSession();
    QString error;
    {
        const BusyCursor busy(dialogs, mode);
        error = current.Login(target.user, target.password, target.service);
    }
    if (!error.isEmpty()) {
        EndCurrentSession();
        dialogs.ShowPlain(error);
        return false;
    }
    if (!FinishLogin(current, mode, target, dialogs)) {
        EndCurrentSession();
        return false;
    }
    return true;
}

void AskAndReconnect(const QString& text, LoginDialogs& dialogs)
{
    QString error = text;
    while (!error.isEmpty()) {
        Twypozyczalnia* session = CurrentSession();
        if (session == nullptr || !dialogs.AskYes(ReconnectQuestion(error)))
            return;
        session->Reconnect();
        error = session->ErrorText();
    }
}

bool ChangePassword(TNuraClient& client, bool forced, LoginDialogs& dialogs)
{
    if (client.HasError())
        return false;
    QString first;
    QString second;
    if (!dialogs.AskPassword(QStringLiteral("Nowe hasło:"), forced, first) ||
        !dialogs.AskPassword(QStringLiteral("Powtórz nowe hasło:"), forced, second))
        return false;
    if (first != second) {
        dialogs.ShowError(QStringLiteral("Nowe hasło zostało źle powtórzone"));
        return false;
    }
    QString error;
    {
        const BusyCursor busy(dialogs, LoginMode::Interactive);
        client.ChangePassword(first, error);
    }
    if (error.isEmpty())
        dialogs.ShowInfo(QStringLiteral("Hasło zostało zmienione"));
    else
        dialogs.ShowError(error);
    return true;
}

bool ChangePasswordWhileDemanded(TNuraClient& client, bool forced, LoginDialogs& dialogs)
{
    while (!client.LoginNotice().isEmpty()) {
        if (!ChangePassword(client, forced, dialogs))
            break;
    }
    return client.LoginNotice().isEmpty();
}

QString VersionIdentification(QChar clientMode)
{
    const QStringList parts = QStringLiteral(ZELVORAN_VERSION).split(QLatin1Char('.'));
    return QStringLiteral("version=") + clientMode + parts.mid(0, 3).join(QLatin1Char('.'));
}
