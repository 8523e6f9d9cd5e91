#include "client/https_transport.h"

#include "client/gzip_body.h"

#include <curl/curl.h>

#include <algorithm>
#include <mutex>
#include <utility>

namespace {

constexpr long kConnectTimeoutSeconds = 5;
constexpr long kMaxRedirects = 5;
constexpr int kDefaultReplyWaitSeconds = 3600;
// A report download runs to tens of megabytes: large reads mean fewer calls.
constexpr long kReceiveBufferBytes = 256 * 1024;
// What a Content-Length header may make us set aside in advance; a header
// that lies cannot make the program allocate more than this before any data.
constexpr qsizetype kMaxReserveBytes = qsizetype(128) << 20;
// A reply larger than this is refused rather than exhausting memory.
constexpr qsizetype kMaxBodyBytes = qsizetype(1) << 30;

// The connection library must be set up once per process, before any
// handle, and its set-up is not itself safe to run on two threads at once.
CURLcode InitializeCurlOnce()
{
    static std::once_flag once;
    static CURLcode result = CURLE_OK;
    std::call_once(once, [] { result = curl_global_init(CURL_GLOBAL_DEFAULT); });
    return result;
}

// The parts of the last response that the caller gets: the body and the
// encoding it came in. A status line starts a new response, so the headers
// of an interim response never leak into the final one.
struct ReplyCollector
{
    QByteArray body;
    QByteArray contentEncoding;
    QString abortReason; // why we stopped the transfer ourselves
    qsizetype maxBytes = kMaxBodyBytes;
    const std::atomic<bool>* cancelled = nullptr;

    void StartResponse()
    {
        body.clear();
        contentEncoding.clear();
    }
};

bool HeaderNamed(QByteArrayView name, const char* wanted)
{
    return name.compare(QByteArrayView(wanted), Qt::CaseInsensitive) == 0;
}

void NoteContentLength(ReplyCollector& reply, const QByteArray& value)
{
    bool ok = false;
    const qlonglong length = value.toLongLong(&ok);
    if (ok && length > 0)
        reply.body.reserve(static_cast<qsizetype>(std::min<qlonglong>(length, kMaxReserveBytes)));
}

size_t OnHeaderLine(char* data, size_t size, size_t count, void* user)
{
    auto& reply = *static_cast<ReplyCollector*>(user);
    const size_t length = size * count;
    const QByteArray line = QByteArray(data, static_cast<qsizetype>(length)).trimmed();
    if (line.startsWith("HTTP/")) {
        reply.StartResponse();
        return length;
    }
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0)
        return length;
    const QByteArray name = line.left(colon).trimmed();
    const QByteArray value = line.mid(colon + 1).trimmed();
    if (HeaderNamed(name, "Content-Encoding"))
        reply.contentEncoding = value;
    else if (HeaderNamed(name, "Content-Length"))
        NoteContentLength(reply, value);
    return length;
}

size_t OnBodyData(char* data, size_t size, size_t count, void* user)
{
    auto& reply = *static_cast<ReplyCollector*>(user);
    const auto length = static_cast<qsizetype>(size * count);
    if (length > reply.maxBytes - reply.body.size()) {
        reply.abortReason =
            QStringLiteral("Odpowiedź serwera przekracza %1 bajtów").arg(reply.maxBytes);
        return 0; // anything short of `length` stops the transfer
    }
    reply.body.append(data, length);
    return size * count;
}

int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    auto& reply = *static_cast<ReplyCollector*>(user);
    if (reply.cancelled != nullptr && reply.cancelled->load()) {
        reply.abortReason = QStringLiteral("Przerwano pobieranie");
        return 1; // non-zero stops the transfer
    }
    return 0;
}

// Null when memory ran out.
curl_slist* HeaderList(std::initializer_list<const char*> lines)
{
    curl_slist* list = nullptr;
    for (const char* line : lines) {
        curl_slist* longer = curl_slist_append(list, line);
        if (!longer) {
            curl_slist_free_all(list);
            return nullptr;
        }
        list = longer;
    }
    return list;
}

curl_slist* RequestHeaders(const char* connection)
{
    return HeaderList({
        "Content-Type: application/json",
        "Accept: application/json",
        // Replies come as they are; a server that packs one anyway says so
        // in Content-Encoding, and gzip is unpacked here.
        "Accept-Encoding: identity",
        connection,
        // Without this the library waits for a go-ahead before a large
        // upload, which a server that never sends one turns into a stall.
        "Expect:",
    });
}

bool IsKeptInUrl(unsigned char byte)
{
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
        (byte >= '0' && byte <= '9'))
        return true;
    switch (byte) {
    case '%':
    case '&':
    case '+':
    case '-':
    case '.':
    case '/':
    case ':':
    case '=':
    case '?':
        return true;
    default:
        return false;
    }
}

} // namespace

struct HttpsTransport::Handle
{
    CURL* easy = nullptr;
    curl_slist* keepAliveHeaders = nullptr;
    curl_slist* closeHeaders = nullptr;
    curl_slist* getHeaders = nullptr;
    char errorBuffer[CURL_ERROR_SIZE] = {};
    ReplyCollector reply;
    QString setupError;

    Handle() = default;
    ~Handle()
    {
        if (easy)
            curl_easy_cleanup(easy);
        curl_slist_free_all(keepAliveHeaders);
        curl_slist_free_all(closeHeaders);
        curl_slist_free_all(getHeaders);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    void Configure(const HttpsSettings& settings);
    QString TransferError(CURLcode result) const;
    Response SetupFailure() const;
    // Sends the request set up on the handle to `url` and collects its
    // response.
    Response Perform(const QByteArray& url, qsizetype maxBytes, const std::atomic<bool>* cancelled);
};

void HttpsTransport::Handle::Configure(const HttpsSettings& settings)
{
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, errorBuffer);
    // Requests also run on the keep-alive timer's thread, where a signal
    // used for time-outs would hit whatever that thread is doing.
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    // The server is reached directly: the program takes its settings from
    // its configuration file only, and a proxy variable left in the
    // environment must not reroute the librarian's password.
    curl_easy_setopt(easy, CURLOPT_PROXY, "");
    // Bodies are unpacked here, so what arrives is exactly what the server sent.
    curl_easy_setopt(easy, CURLOPT_HTTP_CONTENT_DECODING, 0L);
    curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(easy, CURLOPT_SSLVERSION, static_cast<long>(CURL_SSLVERSION_TLSv1_2));
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, settings.verify ? 1L : 0L);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, settings.verify ? 2L : 0L);
    if (!settings.caFile.isEmpty())
        curl_easy_setopt(easy, CURLOPT_CAINFO, settings.caFile.toLocal8Bit().constData());
    // Each request waits for its reply: send it at once.
    curl_easy_setopt(easy, CURLOPT_TCP_NODELAY, 1L);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, static_cast<long>(kDefaultReplyWaitSeconds));
    curl_easy_setopt(easy, CURLOPT_BUFFERSIZE, kReceiveBufferBytes);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, OnHeaderLine);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &reply);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, OnBodyData);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &reply);
    curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, OnProgress);
    curl_easy_setopt(easy, CURLOPT_XFERINFODATA, &reply);
    curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
}

QString HttpsTransport::Handle::TransferError(CURLcode result) const
{
    if (!reply.abortReason.isEmpty())
        return reply.abortReason;
    const QString text = QString::fromUtf8(errorBuffer).trimmed();
    return text.isEmpty() ? QString::fromUtf8(curl_easy_strerror(result)) : text;
}

HttpsTransport::HttpsTransport(const HttpsSettings& settings) : m_handle(std::make_unique<Handle>())
{
    const CURLcode initialized = InitializeCurlOnce();
    if (initialized != CURLE_OK) {
        m_handle->setupError = QString::fromUtf8(curl_easy_strerror(initialized));
        return;
    }
    m_handle->easy = curl_easy_init();
    m_handle->keepAliveHeaders = RequestHeaders("Connection: keep-alive");
    m_handle->closeHeaders = RequestHeaders("Connection: close");
    m_handle->getHeaders = HeaderList({"Accept-Encoding: identity", "Connection: keep-alive"});
    if (!m_handle->easy || !m_handle->keepAliveHeaders || !m_handle->closeHeaders ||
        !m_handle->getHeaders) {
        m_handle->setupError = QStringLiteral("Brak pamięci na połączenie HTTP");
        return;
    }
    m_handle->Configure(settings);
}

HttpsTransport::~HttpsTransport() = default;

void HttpsTransport::SetReplyWaitSeconds(int seconds)
{
    if (m_handle->easy)
        curl_easy_setopt(m_handle->easy, CURLOPT_LOW_SPEED_TIME,
                         static_cast<long>(std::max(seconds, 1)));
}

HttpsTransport::Response HttpsTransport::Post(const QByteArray& url, const QByteArray& body,
                                              Connection connection)
{
    Handle& handle = *m_handle;
    if (!handle.setupError.isEmpty())
        return handle.SetupFailure();
    // The body is sent from where it lies; it outlives the transfer.
    curl_easy_setopt(handle.easy, CURLOPT_POSTFIELDSIZE_LARGE,
                     static_cast<curl_off_t>(body.size()));
    curl_easy_setopt(handle.easy, CURLOPT_POSTFIELDS, body.constData());
    curl_easy_setopt(handle.easy, CURLOPT_HTTPHEADER,
                     connection == Connection::Close ? handle.closeHeaders
                                                     : handle.keepAliveHeaders);
    curl_easy_setopt(handle.easy, CURLOPT_FRESH_CONNECT, connection == Connection::Fresh ? 1L : 0L);
    curl_easy_setopt(handle.easy, CURLOPT_TIMEOUT, 0L);
    curl_easy_setopt(handle.easy, CURLOPT_FOLLOWLOCATION, 0L);
    return handle.Perform(url, kMaxBodyBytes, nullptr);
}

HttpsTransport::Response HttpsTransport::Get(const QByteArray& url, const GetLimits& limits,
                                             const std::atomic<bool>* cancelled)
{
    Handle& handle = *m_handle;
    if (!handle.setupError.isEmpty())
        return handle.SetupFailure();
    curl_easy_setopt(handle.easy, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(handle.easy, CURLOPT_HTTPHEADER, handle.getHeaders);
    curl_easy_setopt(handle.easy, CURLOPT_FRESH_CONNECT, 0L);
    curl_easy_setopt(handle.easy, CURLOPT_TIMEOUT,
                     static_cast<long>(std::max(limits.totalSeconds, 1)));
    // Picture servers move their files (to https, to a mirror); a few hops
    // within the time limit, over the web's own protocols only.
    curl_easy_setopt(handle.easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(handle.easy, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(handle.easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    return handle.Perform(url, limits.maxBytes, cancelled);
}

HttpsTransport::Response HttpsTransport::Handle::SetupFailure() const
{
    Response response;
    response.error = setupError;
    return response;
}

HttpsTransport::Response HttpsTransport::Handle::Perform(const QByteArray& url, qsizetype maxBytes,
                                                         const std::atomic<bool>* cancelled)
{
    Response response;
    reply = ReplyCollector();
    reply.maxBytes = maxBytes;
    reply.cancelled = cancelled;
    errorBuffer[0] = '\0';
    curl_easy_setopt(easy, CURLOPT_URL, url.constData());
    const CURLcode result = curl_easy_perform(easy);
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &response.code);
    if (result != CURLE_OK) {
        response.error = TransferError(result);
        reply = ReplyCollector();
        return response;
    }
    if (reply.contentEncoding.compare(QByteArrayView("gzip"), Qt::CaseInsensitive) == 0)
        Gunzip(reply.body, response.body, response.error, maxBytes);
    else
        response.body = std::move(reply.body);
    reply = ReplyCollector();
    return response;
}

QByteArray EncodeUrl(const QString& url)
{
    static const char kDigits[] = "0123456789ABCDEF";
    const QByteArray utf8 = url.toUtf8();
    QByteArray encoded;
    encoded.reserve(utf8.size() * 3);
    for (const char character : utf8) {
        const auto byte = static_cast<unsigned char>(character);
        if (IsKeptInUrl(byte)) {
            encoded += character;
        } else {
            encoded += '%';
            encoded += kDigits[byte >> 4];
            encoded += kDigits[byte & 0x0F];
        }
    }
    return encoded;
}
