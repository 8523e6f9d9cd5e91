#include "client/standard_nura_client.h"

#include "client/ansi_codec.h"
#include "client/lm_timer.h"
#include "client/nura_text_helpers.h"
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
    : TRequestNuraClient(onError, onMessage, clientIdentification),
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
    : TRequestNuraClient(onError, onMessage, clientIdentification),
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
    for (const RequestItem& item : items) {
        switch (item.kind) {
        case RequestItem::Byte:
            m_socket->PutByte(static_cast<quint8>(item.number));
            break;
        case RequestItem::Integer:
            m_socket->PutInteger(item.number);
            break;
        case RequestItem::Text:
            m_socket->PutString(item.text);
            break;
        }
    }
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

bool TStandardNuraClient::Ask(const char* /*label*/, Items items, Repeat repeat, Notify where,
                              bool reconnecting)
{
    if (m_socket->ErrorFlag()) {
        m_lastAnswer = TAnswer();
        m_lastError = m_socket->ErrorText();
        return false;
    }
    Frame(
        items, repeat, [&] { m_lastError = ReadAnswer(m_lastAnswer, where); }, reconnecting);
    return true;
}

TNuraRecordPtr TStandardNuraClient::RecordRequest(const char* /*label*/, Items items, qint32 key)
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

void TStandardNuraClient::UseLoginKey(const QByteArray& key)
{
    m_socket->SetLoginKey(key);
}

void TStandardNuraClient::ReportLocalFileError(const QString& text) const
{
    errorHandler(text);
}

const char* TStandardNuraClient::ProgrammReplyError() const
{
    return "Bład odpowiedzi";
}

// The caller reads the result as parameters; an error is one more of them.
void TStandardNuraClient::Booking(const QString& s1, QString& text)
{
    const QString errorPrefix = QStringLiteral("err=");
    if (m_socket->ErrorFlag()) {
        text = errorPrefix + m_socket->ErrorText();
        return;
    }
    Frame({B(38), S(QStringLiteral("&client=NURA_TCP") + s1)}, Once, [&] {
        const QString result = m_socket->GetString();
        if (!m_socket->ErrorFlag()) {
            text = result;
            return;
        }
        const QString error = m_socket->ErrorText();
        text = errorPrefix + error;
        errorHandler(error);
    });
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
