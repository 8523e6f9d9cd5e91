#pragma once

#include "client/https_settings.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <memory>

// The HTTP/1.1 connection of the HTTPS client: POSTs a JSON body to the
// server's URL over TLS 1.2 or newer (plain HTTP for "http:" URLs), keeps
// the connection open between requests, and unpacks gzip bodies. One object
// per client; rebuilding it is how the client reconnects. Not thread-safe:
// the client never runs two requests at once.
class HttpsTransport
{
public:
    struct Response
    {
        // Why no response arrived (the connection library's own message, or
        // why the gzip body could not be unpacked); empty when one did.
        QString error;
        long code = 0;
        // The body, already unpacked when it came gzip-encoded.
        QByteArray body;
    };

    explicit HttpsTransport(const HttpsSettings& settings);
    ~HttpsTransport();
    HttpsTransport(const HttpsTransport&) = delete;
    HttpsTransport& operator=(const HttpsTransport&) = delete;

    // How a request uses the connection. A request that must not reach the
    // server twice goes on a new connection: on a kept one that the server
    // closed meanwhile, the connection library sends it again by itself,
    // and the server may have acted on the first copy.
    enum class Connection : unsigned char
    {
        Reuse,
        Fresh,
        Close // a goodbye: "Connection: close"
    };

    // POST with Content-Type and Accept "application/json", Accept-Encoding
    // "identity" and Connection "keep-alive" (or "close"). `url` is already
    // percent-encoded (EncodeUrl).
    Response Post(const QByteArray& url, const QByteArray& body,
                  Connection connection = Connection::Reuse);

    // What a GET may cost: the whole transfer's time and the body's size
    // (also once unpacked), so that a slow or huge answer is cut off.
    struct GetLimits
    {
        int totalSeconds = 10;
        qsizetype maxBytes = qsizetype(16) << 20;
    };

    // GET with Accept-Encoding "identity" and Connection "keep-alive", for
    // pictures on web servers; redirections are followed. `cancelled`, when given, is looked at
    // while the transfer runs and stops it when it turns true.
    Response Get(const QByteArray& url, const GetLimits& limits,
                 const std::atomic<bool>* cancelled = nullptr);

    // How long a reply may keep the client waiting without a byte arriving;
    // a report may take the server long to compute, so the default is an
    // hour, as on TCP. Connecting gives up after 5 seconds.
    void SetReplyWaitSeconds(int seconds);

private:
    struct Handle;
    std::unique_ptr<Handle> m_handle;
};

// The URL as sent: UTF-8, and every byte other than letters, digits and
// % & + - . / : = ? written as "%" and two upper-case hexadecimal digits.
QByteArray EncodeUrl(const QString& url);
