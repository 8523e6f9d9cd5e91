#pragma once

#include "client/request_nura_client.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

class LMSocket;
class QFile;

// The client of the server's binary TCP protocol: each operation is one
// request (code bytes, integers, strings) and one reply (a count and that
// many strings, or a chunked byte stream) over one LMSocket.
class TStandardNuraClient final : public TRequestNuraClient
{
public:
    // Connect to `address`:`port` and, when that worked, greet the server.
    TStandardNuraClient(const QString& address, TTextHandler onServerMessage, TTextHandler onError,
                        TTextHandler onMessage, const QString& clientIdentification, qint32 port);
    TStandardNuraClient(const QString& address, TTextHandler onServerMessage, TTextHandler onError,
                        TTextHandler onMessage, qint32 port);
    // Over a socket that is already connected (a socketpair end in tests, or
    // a fuzz harness). No greeting is exchanged; call Hello when one is
    // wanted. Such a socket has no keep-alive timer and cannot reopen.
    TStandardNuraClient(std::unique_ptr<LMSocket> socket, TTextHandler onServerMessage,
                        TTextHandler onError, TTextHandler onMessage,
                        const QString& clientIdentification = QString());
    // Says goodbye (code 0) unless the connection is broken, then closes it.
    ~TStandardNuraClient() override;

    void Reconnect() override;
    void Hello(bool reconnecting, bool quiet) override;

    void Booking(const QString& s1, QString& text) override;
    std::unique_ptr<TNuraClient> Duplicate(const QString& address, qint32 port) override;

    bool HasError() const override;
    QString ErrorText() const override;
    bool WasReconnected() const override;
    bool IsUtf8() const override;

    // The keep-alive exchange the socket's timer runs on its tick thread
    // between requests; public so that a test can run it without waiting.
    void KeepAlive();
    // The connection, for settings such as the reply wait limit.
    LMSocket& Socket() { return *m_socket; }

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
    void Put(Items items);
    void PostFromTimer(const QString& text) const;
    // Reads the count, passing any server messages in front of it on (from
    // the timer thread they are posted to the main thread instead).
    qint32 ReadCount(bool onTimerThread = false);
    // Reads a count reply into `answer`; returns the error text ("" when the
    // reply was good), taken before the handler could reconnect.
    QString ReadAnswer(TAnswer& answer, Notify where);
    void BadShape(qint32 number);

    // One request and its reply: `read` reads the reply. A normal request
    // stops the keep-alive for its duration and is sent again while the
    // error handler reconnected meanwhile (`repeat`); the reconnecting form,
    // used inside Reconnect, only empties the buffer and runs once.
    void Frame(Items items, Repeat repeat, const std::function<void()>& read,
               bool reconnecting = false);

    // Chunked byte streams.
    bool Download(DownloadSink& sink, TProgressHandler progress);
    void Upload(QFile* file, const QByteArray& bytes, TProgressHandler progress);

    TTextHandler m_serverMessageHandler;
    std::unique_ptr<LMSocket> m_socket;
};
