#include "cli/cli_session.h"

#include "catalog/current_session.h"
#include "catalog/session_opening.h"
#include "catalog/twypozyczalnia.h"
#include "cli/cli_io.h"
#include "cli/cli_server_options.h"

CliSession::CliSession(CliIo& io) : m_io(io) {}

CliSession::~CliSession()
{
    // The client's handlers point at this object, so the session ends first.
    EndCurrentSession();
}

bool CliSession::Open(const ServerOptions& server)
{
    SessionTarget target;
    target.address = server.address;
    target.port = server.port;
    target.user = server.user;
    target.password = server.password;
    target.service = server.service;
    target.identification = VersionIdentification(QLatin1Char('C'));
    target.onError = TTextHandler::Of<&CliSession::ConnectionLost>(this);
    target.onMessage = TTextHandler::Of<&CliSession::Message>(this);
    const qsizetype errorsBefore = m_io.Err().size();
    if (OpenSessionAndLogIn(target, LoginMode::Automatic, *this))
        return true;
    // Every failure has said why by now; should a new one not, the script
    // still learns that the login failed.
    if (m_io.Err().size() == errorsBefore)
        Fail(QStringLiteral("Logowanie nie powiodło się"));
    return false;
}

Twypozyczalnia& CliSession::Session()
{
    return *CurrentSession();
}

int CliSession::Fail(const QString& text)
{
    if (text != m_lastError) {
        m_io.WriteError(text);
        m_lastError = text;
    }
    return kCliFailure;
}

// The question ends with a line asking whether to connect again; the lines
// before it are the failure, which is what a script needs to see.
bool CliSession::AskYes(const QString& question)
{
    const qsizetype questionLine = question.lastIndexOf(QStringLiteral("\r\n"));
    Fail(questionLine < 0 ? question : question.left(questionLine));
    return false;
}

void CliSession::ShowError(const QString& text)
{
    Fail(text);
}

void CliSession::ShowInfo(const QString& text)
{
    m_io.WriteError(text);
}

void CliSession::ShowPlain(const QString& text)
{
    Fail(text);
}

bool CliSession::AskPassword(const QString&, bool, QString&)
{
    return false;
}

void CliSession::ConnectionLost(const QString& text)
{
    AskAndReconnect(text, *this);
}

void CliSession::Message(const QString& text)
{
    m_io.WriteError(text);
}
