// The HTTPS transport: the operation frame around one POST, the greeting,
// the keep-alive, reconnection and goodbye.

#include "client/https_nura_client.h"

#include "client/download_sink.h"
#include "client/https_transport.h"
#include "client/json_error.h"
#include "client/json_text_escape.h"
#include "client/lm_timer.h"
#include "client/nura_json_reply.h"
#include "client/nura_json_request.h"
#include "client/nura_text_helpers.h"

#include <QFile>

namespace {

// The server expects a sign of life twice a minute.
constexpr int kKeepAliveSeconds = 30;

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

THTTPSNuraClient::THTTPSNuraClient(const QString& url, TTextHandler onError, TTextHandler onMessage,
                                   const QString& clientIdentification)
    : TRequestNuraClient(onError, onMessage, clientIdentification),
      m_settings(ConfiguredHttpsSettings()), m_url(EncodeUrl(url)),
      m_transport(std::make_unique<HttpsTransport>(m_settings)),
      m_keepAliveErrorHandler(errorHandler),
      m_keepAliveTimer(std::make_unique<LMTimer>(kKeepAliveSeconds, [this] { KeepAlive(); }))
{
    m_keepAliveTimer->Start();
    Hello(false, true);
}

// The timer goes first, waiting for a keep-alive that may be running: it
// must not find the connection half destroyed. The goodbye is not read.
THTTPSNuraClient::~THTTPSNuraClient()
{
    m_keepAliveTimer.reset();
    if (!HasError()) {
        const QByteArray body = BuildRequestBody(m_connectionId, "Close connection", {B(0)});
        const HttpsTransport::Response response =
            m_transport->Post(m_url, body, HttpsTransport::Connection::Close);
        if (!response.error.isEmpty())
            SetError(Text("Błąd połączenia (") + response.error + QLatin1Char(')'));
    }
    m_transport.reset();
}

bool THTTPSNuraClient::HasError() const
{
    return m_errorFlag.load();
}

QString THTTPSNuraClient::ErrorText() const
{
    std::lock_guard<std::mutex> guard(m_errorLock);
    return m_errorText;
}

bool THTTPSNuraClient::WasReconnected() const
{
    return m_reconnected;
}

bool THTTPSNuraClient::IsUtf8() const
{
    return false;
}

void THTTPSNuraClient::SetError(const QString& text)
{
    std::lock_guard<std::mutex> guard(m_errorLock);
    m_errorText = text;
    m_errorFlag.store(true);
}

void THTTPSNuraClient::ClearError()
{
    std::lock_guard<std::mutex> guard(m_errorLock);
    m_errorText.clear();
    m_errorFlag.store(false);
}

// ---- One request ----

QString THTTPSNuraClient::Post(const char* label, Items items, const QByteArray* blob,
                               NuraJsonReply& reply, Repeat repeat)
{
    // A request that may have changed something on the server must not be
    // sent twice behind our back; see HttpsTransport::Connection.
    const auto connection =
        repeat == Once ? HttpsTransport::Connection::Fresh : HttpsTransport::Connection::Reuse;
    HttpsTransport::Response response =
        m_transport->Post(m_url, BuildRequestBody(m_connectionId, label, items, blob), connection);
    if (!response.error.isEmpty())
        return Text("Błąd połączenia (") + response.error + QLatin1Char(')');
    if (response.code != 200)
        return Text("Błąd połączenia (ResponseCode)");
    const QString error = reply.Parse(std::move(response.body));
    // The id is the server's as soon as the envelope carries one, even when
    // the rest of the reply turns out unusable.
    if (!reply.ConnectionId().isEmpty())
        m_connectionId = reply.ConnectionId();
    return error;
}

bool THTTPSNuraClient::Exchange(const char* label, Items items, Repeat repeat, Notify where,
                                const QByteArray* blob, const ReadReply& read, bool reconnecting)
{
    if (HasError()) {
        m_lastError = ErrorText();
        return false;
    }
    do {
        if (!reconnecting)
            m_keepAliveTimer->Stop();
        m_reconnected = false;
        NuraJsonReply reply;
        m_lastError = Post(label, items, blob, reply, repeat);
        if (!reconnecting)
            m_keepAliveTimer->Start();
        if (m_lastError.isEmpty()) {
            try {
                read(reply);
            } catch (const TJSONError& failure) {
                m_lastError = failure.Text();
            }
        }
        if (!m_lastError.isEmpty()) {
            SetError(m_lastError);
            Deliver(where, m_lastError);
        }
    } while (!reconnecting && repeat == Repeated && m_reconnected);
    return true;
}

bool THTTPSNuraClient::Ask(const char* label, Items items, Repeat repeat, Notify where,
                           bool reconnecting)
{
    return AnswerExchange(label, items, repeat, where, nullptr, reconnecting);
}

// The answer of a failed request is empty; its error text stays in
// m_lastError even when the handler has reconnected since.
bool THTTPSNuraClient::AnswerExchange(const char* label, Items items, Repeat repeat, Notify where,
                                      const QByteArray* blob, bool reconnecting)
{
    m_lastAnswer = TAnswer();
    const bool sent = Exchange(
        label, items, repeat, where, blob,
        [this](const NuraJsonReply& reply) { ReadAnswer(reply); }, reconnecting);
    if (!m_lastError.isEmpty())
        m_lastAnswer = TAnswer();
    return sent;
}

void THTTPSNuraClient::ReadAnswer(const NuraJsonReply& reply)
{
    const QString error = reply.ReadAnswer(m_lastAnswer);
    if (!error.isEmpty())
        throw TJSONError(error);
}

TNuraRecordPtr THTTPSNuraClient::RecordRequest(const char* label, Items items, qint32 key)
{
    TNuraRecordPtr record;
    Exchange(label, items, Repeated, Notify::Error, nullptr,
             [&](const NuraJsonReply& reply) { record = reply.ReadRecord(key); });
    if (!m_lastError.isEmpty())
        record.reset();
    return record;
}

// The whole file comes as one Base64 blob; a reply that carries something
// else leaves the target empty and says so.
bool THTTPSNuraClient::Fetch(const char* label, Items items, Repeat repeat, DownloadSink& sink,
                             TProgressHandler /*progress*/, Status form, QString* status)
{
    bool complete = false;
    Exchange(label, items, repeat, Notify::Error, nullptr, [&](const NuraJsonReply& reply) {
        sink.Restart();
        complete = false;
        int index = 0;
        if (form != Status::None) {
            *status = reply.ReadStatus();
            if (!status->isEmpty())
                return;
            index = 1;
        }
        QByteArray bytes;
        if (!reply.ReadBlob(index, bytes)) {
            messageHandler(Text("Spodziewane [3,blob]"));
            return;
        }
        sink.Append(bytes);
        complete = true;
    });
    return complete && m_lastError.isEmpty();
}

// An unreadable file still goes, as an empty blob, like the empty stream
// of the TCP protocol; the caller learns of it through `unreadable`.
bool THTTPSNuraClient::UploadRequest(const char* label, Items items, const QString* file,
                                     const QByteArray& bytes, TProgressHandler /*progress*/,
                                     QString& unreadable)
{
    unreadable.clear();
    QByteArray contents = bytes;
    // In the error state nothing is sent, so the file is not read either.
    if (file != nullptr && !HasError()) {
        QFile source(*file);
        if (source.open(QIODevice::ReadOnly))
            contents = source.readAll();
        if (source.error() != QFileDevice::NoError) {
            unreadable = Text("Nie można otworzyć pliku ") + *file;
            contents.clear();
        }
    }
    return AnswerExchange(label, items, Repeated, Notify::Error, &contents, false);
}

// Nothing on this transport is scrambled.
void THTTPSNuraClient::UseLoginKey(const QByteArray& /*key*/) {}

void THTTPSNuraClient::ReportLocalFileError(const QString& text) const
{
    messageHandler(text);
}

const char* THTTPSNuraClient::ProgrammReplyError() const
{
    return "Błąd odpowiedzi";
}

// ---- Greeting and the connection ----

void THTTPSNuraClient::Hello(bool reconnecting, bool quiet)
{
    if (HasError())
        return;
    const Notify where = reconnecting || quiet ? Notify::Silent : Notify::Error;
    const QString offer = QStringLiteral("JSON|") + identification;
    do {
        Exchange(
            "Hello", {B(253), S(offer)}, Once, where, nullptr, [](const NuraJsonReply&) {},
            reconnecting);
        if (!reconnecting && m_reconnected)
            continue;
        if (HasError())
            break;
        Exchange(
            "Show Desc", {B(30)}, Once, where, nullptr,
            [this](const NuraJsonReply& reply) {
                const TJSONArray& first = reply.Results().Item(0).AsArray();
                serverDescription = UnescapeJsonText(first.Item(1).RawString());
            },
            reconnecting);
    } while (!reconnecting && m_reconnected);
    if (reconnecting || HasError())
        return;
    const QString message = GetParam(serverDescription, QStringLiteral("message"));
    if (!message.isEmpty())
        messageHandler(message);
}

// New HTTP objects, the same conversation: the server still knows the
// connection id and the login, so nothing is sent. Called from the error
// handler in the middle of a request, or between requests with the
// keep-alive armed; a keep-alive in progress is waited for by Stop. (The
// keep-alive never calls this itself: its texts reach the handler on the
// main thread after it has ended.)
void THTTPSNuraClient::Reconnect()
{
    m_keepAliveTimer->Stop();
    m_transport = std::make_unique<HttpsTransport>(m_settings);
    ClearError();
    m_keepAliveTimer->Start();
    m_reconnected = true;
}

// The caller reads the result as parameters; an error is one more of them.
void THTTPSNuraClient::Booking(const QString& s1, QString& text)
{
    const QString errorPrefix = QStringLiteral("err=");
    Ask("BOOKING", {B(38), S(QStringLiteral("&client=NURA_TCP") + s1)}, Once, Notify::Error, false);
    if (m_lastAnswer.count == 1) {
        text = m_lastAnswer.fields[0];
    } else if (m_lastAnswer.count == 0) {
        text = errorPrefix + m_lastError;
    } else {
        const QString error = Text("Wystąpił błąd systemowy");
        SetError(error);
        text = errorPrefix + error;
    }
}

std::unique_ptr<TNuraClient> THTTPSNuraClient::Duplicate(const QString& address, qint32 /*port*/)
{
    auto copy =
        std::make_unique<THTTPSNuraClient>(address, errorHandler, messageHandler, identification);
    if (!copy->HasError() && loggedIn) {
        QString error;
        copy->Login(userName, m_rememberedPassword, error, true, QString());
        copy->m_rememberedPassword = m_rememberedPassword;
        if (!error.isEmpty())
            copy->SetError(error);
    }
    return copy;
}

// Runs on the tick thread while no request is on the way (every request
// stops the timer first). Its texts are queued for the main thread, which
// may at this moment be waiting for this very tick to end. A broken
// connection is reported once: the error state then keeps the keep-alive
// quiet until a reconnection.
void THTTPSNuraClient::KeepAlive()
{
    if (HasError())
        return;
    const QString ping = Text("Podtrzymanie połączenia");
    NuraJsonReply reply;
    QString error = Post("Ping", {B(254), S(ping)}, nullptr, reply, Repeated);
    TAnswer answer;
    if (error.isEmpty()) {
        try {
            error = reply.ReadAnswer(answer);
        } catch (const TJSONError& failure) {
            error = failure.Text();
        }
    }
    if (!error.isEmpty())
        SetError(error);
    if (answer.count != 1)
        TTimer::PostText(error.isEmpty() ? Text("PING: Zła wielkość odpowiedzi") : error,
                         m_keepAliveErrorHandler);
    else if (answer.fields[0] != ping)
        TTimer::PostText(Text("PING: Błąd komunikacji"), m_keepAliveErrorHandler);
}
