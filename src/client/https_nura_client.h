#pragma once

#include "client/https_settings.h"
#include "client/request_nura_client.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

class HttpsTransport;
class LMTimer;
class NuraJsonReply;

// The client of the server's HTTPS protocol: every operation is one POST of
// a JSON document carrying the same request items as the TCP protocol, and
// its reply is a JSON document with the same count and strings. The server
// knows the conversation only by the connection id it hands out in every
// reply. Operations that the HTTPS protocol does not carry (server strings,
// files, record signals, two circulation requests) and the refused status
// requests answer "Funkcja niedostępna" without asking the server.
class THTTPSNuraClient final : public TRequestNuraClient
{
public:
    // `url` is the server's address as configured ("https://host/path", or
    // "http://..." without TLS). Connection problems leave the error state;
    // the constructor itself never fails. TLS follows the process-wide
    // HTTPS settings of the moment.
    THTTPSNuraClient(const QString& url, TTextHandler onError, TTextHandler onMessage,
                     const QString& clientIdentification);
    // Says goodbye ("Close connection") unless the connection is broken.
    ~THTTPSNuraClient() override;

    void Reconnect() override;
    void Hello(bool reconnecting, bool quiet) override;

    void SetServerString(const QString& s1, QString& text) override;
    void GetServerStrings(QString& value, QString& status) override;
    bool FileGet(const QString& name, const QString& file, TProgressHandler progress) override;
    void FileQuery(const QString& name, QString& text) override;
    bool FilePut(const QString& file, const QString& name, TProgressHandler progress) override;
    TNuraRecordPtr GetStatusA() override;
    TNuraRecordPtr GetStatusB() override;
    TNuraRecordPtr GetStatusC() override;
    void CommandPair(const QString& s1, QString& first, QString& second) override;
    void RecordSignal(const QString& s1, const QString& s2, TAnswer& answer) override;
    void Booking(const QString& s1, QString& text) override;
    void Circulation23(TAnswer& answer) override;
    void Circulation32(const QString& s1, const QString& s2, TAnswer& answer, const QString& s3,
                       const QString& s4) override;
    std::unique_ptr<TNuraClient> Duplicate(const QString& address, qint32 port) override;

    bool HasError() const override;
    QString ErrorText() const override;
    bool WasReconnected() const override;
    bool IsUtf8() const override;

    // The keep-alive ping the timer runs on its tick thread every 30 s
    // between requests; public so that a test can run it without waiting.
    void KeepAlive();
    // The server's name for this conversation, from its last reply.
    QString ConnectionId() const { return m_connectionId; }

protected:
    bool Ask(const char* label, Items items, Repeat repeat, Notify where,
             bool reconnecting) override;
    TNuraRecordPtr RecordRequest(const char* label, Items items, qint32 key) override;
    bool Fetch(const char* label, Items items, Repeat repeat, DownloadSink& sink,
               TProgressHandler progress, Status form, QString* status) override;
    bool UploadRequest(const char* label, Items items, const QString* file, const QByteArray& bytes,
                       TProgressHandler progress, QString& unreadable) override;
    void UseLoginKey(const QByteArray& key) override;
    void ReportLocalFileError(const QString& text) const override;
    const char* ProgrammReplyError() const override;

private:
    using ReadReply = std::function<void(const NuraJsonReply&)>;

    // Posts one request and parses its reply; the error text, empty when
    // the reply passed the envelope check (its connection id is then ours).
    QString Post(const char* label, Items items, const QByteArray* blob, NuraJsonReply& reply,
                 Repeat repeat);
    // The operation frame: nothing when the client is in the error state;
    // otherwise the keep-alive stops, the request goes, the keep-alive
    // starts again and `read` reads the reply. A failure (transport,
    // envelope, or a reply `read` cannot use) sets the error state and goes
    // to `where`; when the handler reconnected meanwhile, a `Repeated`
    // request goes again. m_lastError is the error text of the last attempt
    // ("" when it worked). False when nothing was sent.
    bool Exchange(const char* label, Items items, Repeat repeat, Notify where,
                  const QByteArray* blob, const ReadReply& read, bool reconnecting = false);
    // Exchange of a request with a count reply, read into m_lastAnswer.
    bool AnswerExchange(const char* label, Items items, Repeat repeat, Notify where,
                        const QByteArray* blob, bool reconnecting);
    void ReadAnswer(const NuraJsonReply& reply);
    void SetError(const QString& text);
    void ClearError();
    // The slots the HTTPS protocol does not carry are not meant to be
    // called on it; if one is, it fails quietly with this message.
    void Unavailable() const;

    HttpsSettings m_settings;
    QByteArray m_url;
    std::unique_ptr<HttpsTransport> m_transport;
    QString m_connectionId;
    bool m_reconnected = false;
    // The keep-alive runs on the tick thread and reads these while the main
    // thread may look at them between requests.
    std::atomic<bool> m_errorFlag{false};
    mutable std::mutex m_errorLock;
    QString m_errorText;
    // The handler given at construction; keep-alive errors always go there.
    TTextHandler m_keepAliveErrorHandler;
    std::unique_ptr<LMTimer> m_keepAliveTimer;
};
