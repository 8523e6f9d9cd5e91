#include "client/standard_nura_client.h"

#include "client/ansi_codec.h"
#include "client/lm_timer.h"
#include "client/nura_text_helpers.h"
#include "client/password_encoding.h"
#include "client/tcp_client.h"

#include <utility>

namespace {

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// Servers from these versions on answer the keep-alive ping; older ones are
// kept awake by asking for their description.
bool AnswersKeepAlivePing(const QString& description)
{
    const QString generation = description.left(5);
    const QString version = GetParam(description, QStringLiteral("wersja"));
    return (generation == QLatin1String("NURA1") && version >= QLatin1String("2005.12.12")) ||
           (generation == QLatin1String("NURA2") && version >= QLatin1String("2006.04.25")) ||
           (generation == QLatin1String("NURA3") && version >= QLatin1String("2012"));
}

} // namespace

TStandardNuraClient::TStandardNuraClient(const QString& address, TTextHandler onServerMessage,
                                         TTextHandler onError, TTextHandler onMessage,
                                         const QString& clientIdentification, qint32 port)
    : TNuraClient(onError, onMessage, clientIdentification),
      m_serverMessageHandler(onServerMessage), m_socket(std::make_unique<LMSocket>(
                                                   address, [this] { KeepAlive(); }, port))
{
    if (!m_socket->ErrorFlag())
        Hello(false, false);
}

TStandardNuraClient::TStandardNuraClient(const QString& address, TTextHandler onServerMessage,
                                         TTextHandler onError, TTextHandler onMessage, qint32 port)
    : TStandardNuraClient(address, onServerMessage, onError, onMessage, QString(), port)
{}

TStandardNuraClient::TStandardNuraClient(std::unique_ptr<LMSocket> socket,
                                         TTextHandler onServerMessage, TTextHandler onError,
                                         TTextHandler onMessage,
                                         const QString& clientIdentification)
    : TNuraClient(onError, onMessage, clientIdentification),
      m_serverMessageHandler(onServerMessage), m_socket(std::move(socket))
{}

// The goodbye is not answered. The keep-alive ends first, waiting for one
// that may be running: it must not find the socket half destroyed.
TStandardNuraClient::~TStandardNuraClient()
{
    m_socket->EndKeepAlive();
    if (!m_socket->ErrorFlag()) {
        m_socket->BeginRequest();
        m_socket->PutByte(0);
        m_socket->Send();
    }
    m_socket.reset();
}

bool TStandardNuraClient::HasError() const
{
    return m_socket->ErrorFlag();
}

QString TStandardNuraClient::ErrorText() const
{
    return m_socket->ErrorText();
}

bool TStandardNuraClient::WasReconnected() const
{
    return m_socket->Reconnected();
}

bool TStandardNuraClient::IsUtf8() const
{
    return m_socket->Utf8();
}

// ---- Requests and replies ----

void TStandardNuraClient::Put(Items items)
{
    for (const WireItem& item : items) {
        switch (item.kind) {
        case WireItem::Byte:
            m_socket->PutByte(static_cast<quint8>(item.number));
            break;
        case WireItem::Integer:
            m_socket->PutInteger(item.number);
            break;
        case WireItem::Text:
            m_socket->PutString(item.text);
            break;
        }
    }
}

void TStandardNuraClient::Deliver(Notify where, const QString& text) const
{
    if (where == Notify::Error)
        errorHandler(text);
    else if (where == Notify::Message)
        messageHandler(text);
}

// The timer thread must not run a handler itself: the main thread may be
// waiting in a request for this very keep-alive to end.
void TStandardNuraClient::PostFromTimer(const QString& text) const
{
    TTimer::PostText(text, errorHandler);
}

qint32 TStandardNuraClient::ReadCount(bool onTimerThread)
{
    qint32 count = m_socket->GetInteger();
    while (count == -2 && !m_socket->ErrorFlag()) {
        const QString message = m_socket->GetLong();
        if (!m_socket->ErrorFlag() && m_serverMessageHandler) {
            if (onTimerThread)
                TTimer::PostText(message, m_serverMessageHandler);
            else
                m_serverMessageHandler(message);
        }
        count = m_socket->GetInteger();
    }
    return count;
}

void TStandardNuraClient::BadShape(qint32 number)
{
    m_socket->SetError(Text("Zła postać odpowiedzi (") + QString::number(number) +
                       QLatin1Char(')'));
}

QString TStandardNuraClient::ReadAnswer(TAnswer& answer, Notify where)
{
    TAnswer reply;
    const qint32 count = ReadCount();
    if (!m_socket->ErrorFlag()) {
        // A count we cannot read past leaves the rest of the reply on the
        // wire, so the connection is out of step and must not go on.
        if (count < 0 || count > kMaxReplyFields) {
            BadShape(count);
        } else {
            reply.count = count;
            for (qint32 i = 0; i < count && !m_socket->ErrorFlag(); ++i)
                reply.fields[static_cast<size_t>(i)] = m_socket->GetLong();
        }
    }
    if (m_socket->ErrorFlag()) {
        answer = TAnswer();
        const QString error = m_socket->ErrorText();
        Deliver(where, error);
        return error;
    }
    answer = std::move(reply);
    return QString();
}

void TStandardNuraClient::Frame(Items items, Repeat repeat, const std::function<void()>& read,
                                bool reconnecting)
{
    if (reconnecting) {
        m_socket->ResetBuffer();
        Put(items);
        m_socket->Send();
        read();
        return;
    }
    do {
        m_socket->BeginRequest();
        Put(items);
        m_socket->Send();
        read();
        m_socket->EndRequest();
    } while (repeat == Repeated && m_socket->Reconnected());
}

bool TStandardNuraClient::Ask(Items items, Repeat repeat, Notify where)
{
    if (m_socket->ErrorFlag()) {
        m_lastAnswer = TAnswer();
        m_lastError = m_socket->ErrorText();
        return false;
    }
    Frame(items, repeat, [&] { m_lastError = ReadAnswer(m_lastAnswer, where); });
    return true;
}

void TStandardNuraClient::AnswerRequest(Items items, TAnswer& answer, Repeat repeat, Notify where)
{
    if (m_socket->ErrorFlag()) {
        answer = TAnswer();
        return;
    }
    Frame(items, repeat, [&] { ReadAnswer(answer, where); });
}

TNuraRecordPtr TStandardNuraClient::RecordRequest(Items items, qint32 key)
{
    if (m_socket->ErrorFlag())
        return nullptr;
    TNuraRecordPtr record;
    Frame(items, Repeated, [&] {
        record.reset();
        TAnswer reply;
        if (!ReadAnswer(reply, Notify::Error).isEmpty() || reply.count == 0)
            return;
        record = std::make_unique<TNuraRecord>();
        record->key = key;
        record->count = static_cast<quint8>(reply.count);
        record->fields = std::move(reply.fields);
    });
    return record;
}

QString TStandardNuraClient::ErrorOr(const char* fallback) const
{
    return m_lastError.isEmpty() ? Text(fallback) : m_lastError;
}

void TStandardNuraClient::TextOne(Items items, QString& text, const char* fallback)
{
    if (!Ask(items))
        text = m_lastError;
    else
        text = m_lastAnswer.count == 1 ? m_lastAnswer.fields[0] : ErrorOr(fallback);
}

void TStandardNuraClient::TextOneOrTwo(Items items, QString& text, const char* fallback)
{
    if (!Ask(items))
        text = m_lastError;
    else if (m_lastAnswer.count == 1 || m_lastAnswer.count == 2)
        text = m_lastAnswer.fields[static_cast<size_t>(m_lastAnswer.count - 1)];
    else
        text = ErrorOr(fallback);
}

// The deleting and scontrum requests give their fixed text for any reply
// other than one field, a broken connection included.
void TStandardNuraClient::TextOneFixed(Items items, QString& text)
{
    if (!Ask(items))
        text = m_lastError;
    else
        text = m_lastAnswer.count == 1 ? m_lastAnswer.fields[0] : Text("Błędna odpowiedź serwera");
}

// ---- Greeting, login and the connection ----

void TStandardNuraClient::Hello(bool reconnecting, bool quiet)
{
    if (m_socket->ErrorFlag())
        return;
    const Notify where = reconnecting || quiet ? Notify::Silent : Notify::Error;
    const QString offer = QStringLiteral("UTF8|") + identification;
    do {
        // The reply to the offer still comes in the old encoding.
        Frame(
            {B(253), S(offer)}, Once,
            [&] {
                ReadAnswer(m_lastAnswer, where);
                m_socket->SetUtf8(m_lastAnswer.count == 1 &&
                                  m_lastAnswer.fields[0].contains(QStringLiteral("&UTF8=T")));
            },
            reconnecting);
        if (!reconnecting && m_socket->Reconnected())
            continue;
        if (m_socket->ErrorFlag())
            break;
        Frame(
            {B(30)}, Once,
            [&] {
                const QString description = m_socket->GetLong();
                if (m_socket->ErrorFlag())
                    Deliver(where, m_socket->ErrorText());
                else
                    serverDescription = description;
            },
            reconnecting);
    } while (!reconnecting && m_socket->Reconnected());
    if (reconnecting || m_socket->ErrorFlag())
        return;
    const QString message = GetParam(serverDescription, QStringLiteral("message"));
    if (!message.isEmpty())
        messageHandler(message);
}

void TStandardNuraClient::Login(const QString& user, const QString& password, QString& error,
                                bool reconnecting, const QString& requiredRight)
{
    error.clear();
    if (m_socket->ErrorFlag()) {
        error = m_socket->ErrorText();
        return;
    }
    loggedIn = false;
    const Notify where = reconnecting ? Notify::Silent : Notify::Error;
    const Repeat repeat = reconnecting ? Once : Repeated;
    for (;;) {
        QString failure;
        Frame(
            {B(128), S(user)}, repeat,
            [&] {
                failure = ReadAnswer(m_lastAnswer, where);
                // The password travels unscrambled; the key comes with its reply.
                m_socket->SetLoginKey(QByteArray());
            },
            reconnecting);
        if (!failure.isEmpty()) {
            error = failure;
            break;
        }
        if (m_lastAnswer.count == 0) {
            error = Text("Błędna nazwa użytkownika");
            break;
        }
        m_challenge = m_lastAnswer.fields[0].toInt();
        Frame(
            {B(129), S(EncodePassword(password, m_challenge))}, Once,
            [&] { failure = ReadAnswer(m_lastAnswer, where); }, reconnecting);
        // A new connection has forgotten the user name: start over.
        if (!reconnecting && m_socket->Reconnected())
            continue;
        if (!failure.isEmpty()) {
            error = failure;
            break;
        }
        const TAnswer& reply = m_lastAnswer;
        if (reply.count == 0) {
            error = Text("Błędne hasło");
            break;
        }
        rights = reply.fields[0];
        if (!requiredRight.isEmpty() && !rights.contains(requiredRight))
            error = Text("Brak uprawnień");
        loggedIn = true;
        userName = user;
        loginInfo = reply.count >= 2 ? reply.fields[1] : QString();
        if (reply.count > 2)
            m_socket->SetLoginKey(EncodeAnsi(reply.fields[2]));
        loginNotice = reply.count >= 4 ? reply.fields[3] : QString();
        if (!reconnecting)
            m_rememberedPassword = password;
        break;
    }
    if (!m_socket->ErrorFlag())
        Hello(reconnecting, false);
}

void TStandardNuraClient::Logout()
{
    if (!Ask({B(128), S(QString())}))
        return;
    loggedIn = false;
    m_challenge = 0;
    loginInfo.clear();
    m_socket->SetLoginKey(QByteArray());
    if (!m_socket->ErrorFlag())
        Hello(false, false);
}

void TStandardNuraClient::ChangePassword(const QString& newPassword, QString& error)
{
    if (!Ask({B(134), S(EncodePassword(newPassword, m_challenge))})) {
        error = m_lastError;
        return;
    }
    if (m_lastAnswer.count != 1) {
        error = ErrorOr("Błędna odpowiedź serwera");
        return;
    }
    error = m_lastAnswer.fields[0];
    if (error.isEmpty()) {
        loginNotice.clear();
        m_rememberedPassword = newPassword;
    }
}

void TStandardNuraClient::Ping(const QString& text, QString& error)
{
    if (!Ask({B(254), S(text)}))
        error = m_lastError;
    else if (m_lastAnswer.count == 1)
        error = m_lastAnswer.fields[0] == text ? QString() : Text("Błąd komunikacji");
    else
        error = ErrorOr("Zła wielkość odpowiedzi");
}

// Reached from the error handler in the middle of a request as well as from
// the main window between requests; in the second case the keep-alive timer
// is still armed, so it is stopped here while the new connection greets the
// server and logs in again.
void TStandardNuraClient::Reconnect()
{
    m_socket->BeginRequest();
    m_socket->Reopen();
    if (!m_socket->ErrorFlag()) {
        if (loggedIn) {
            QString error;
            Login(userName, m_rememberedPassword, error, true, QString());
            // A refused login leaves the socket open but the session unusable.
            if (!error.isEmpty())
                m_socket->SetErrorState(true, error);
        } else {
            Hello(true, false);
        }
    }
    m_socket->EndRequest();
    m_socket->SetErrorState(!m_socket->ErrorText().isEmpty(), m_socket->ErrorText());
    m_socket->SetReconnected(true);
}

std::unique_ptr<TNuraClient> TStandardNuraClient::Duplicate(const QString& address, qint32 port)
{
    auto copy = std::make_unique<TStandardNuraClient>(address, m_serverMessageHandler, errorHandler,
                                                      messageHandler, identification, port);
    if (!copy->HasError() && loggedIn) {
        QString error;
        copy->Login(userName, m_rememberedPassword, error, true, QString());
        copy->m_rememberedPassword = m_rememberedPassword;
        if (!error.isEmpty())
            copy->m_socket->SetErrorState(true, error);
    }
    return copy;
}

void TStandardNuraClient::KeepAlive()
{
    if (m_socket->ErrorFlag())
        return;
    m_socket->ResetBuffer();
    if (!AnswersKeepAlivePing(serverDescription)) {
        m_socket->PutByte(30);
        m_socket->Send();
        m_socket->GetLong();
        if (m_socket->ErrorFlag())
            PostFromTimer(m_socket->ErrorText());
        return;
    }
    const QString ping = Text("Podtrzymanie połączenia");
    m_socket->PutByte(254);
    m_socket->PutString(ping);
    m_socket->Send();
    const qint32 count = ReadCount(true);
    if (!m_socket->ErrorFlag() && (count < 0 || count > kMaxReplyFields))
        m_socket->SetError(Text("PING: Zła postać odpowiedzi (") + QString::number(count) +
                           QLatin1Char(')'));
    QString first;
    for (qint32 i = 0; i < count && !m_socket->ErrorFlag(); ++i) {
        const QString field = m_socket->GetLong();
        if (i == 0)
            first = field;
    }
    if (m_socket->ErrorFlag())
        PostFromTimer(m_socket->ErrorText());
    else if (count != 1)
        PostFromTimer(Text("PING: Zła wielkość odpowiedzi"));
    else if (first != ping)
        PostFromTimer(Text("PING: Błąd komunikacji"));
}
