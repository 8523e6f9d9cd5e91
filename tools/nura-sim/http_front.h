#pragma once

#include "json_endpoint.h"

#include <QString>

#include <atomic>
#include <memory>
#include <thread>

namespace httplib {
class Server;
} // namespace httplib

// The HTTP front end of the HTTPS side: a cpp-httplib server on 127.0.0.1
// (with TLS, or plain HTTP for tests and for clients behind a proxy) that
// hands every POST, whatever its path, to the JSON endpoint and carries out
// what the endpoint decided: the reply, or a dropped, cut or hanging
// connection. Keep-alive connections serve one request after another.
class HttpFront
{
public:
    // `name` ("HTTPS" or "HTTP") is for messages.
    HttpFront(JsonEndpoint& endpoint, const std::atomic<bool>& stopping, QString name);
    ~HttpFront();
    HttpFront(const HttpFront&) = delete;
    HttpFront& operator=(const HttpFront&) = delete;

    // Binds to 127.0.0.1:`port` (0 = any free port); with TLS when
    // `certFile` and `keyFile` are given. Returns an error text, empty on
    // success.
    QString Listen(int port, const QString& certFile = {}, const QString& keyFile = {});
    int Port() const { return m_port; }
    // Serves on a thread of its own until Stop.
    void Start();
    // Stops accepting, ends the open connections and waits for the threads.
    void Stop();

private:
    JsonEndpoint& m_endpoint;
    const std::atomic<bool>& m_stopping;
    QString m_name;
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
    int m_port = 0;
};
