#pragma once

#include "client/https_nura_client.h"
#include "client/https_settings.h"
#include "client/standard_nura_client.h"
#include "sim_server.h"

#include <QByteArray>
#include <QFile>
#include <QStringList>

#include <memory>
#include <mutex>

// What the client reported while a test ran. The keep-alive reports from
// its own thread through the main thread, so the lists are guarded.
struct Reports
{
    std::mutex lock;
    QStringList errors;
    QStringList messages;
    QStringList serverMessages;
    // Called back with the client the error came from: a handler that
    // reconnects, as the reading-room window does.
    TNuraClient* reconnectOnError = nullptr;

    void Error(const QString& text)
    {
        {
            std::lock_guard<std::mutex> guard(lock);
            errors << text;
        }
        if (reconnectOnError != nullptr)
            reconnectOnError->Reconnect();
    }
    void Message(const QString& text)
    {
        std::lock_guard<std::mutex> guard(lock);
        messages << text;
    }
    void ServerMessage(const QString& text)
    {
        std::lock_guard<std::mutex> guard(lock);
        serverMessages << text;
    }
};

// Bytes of every value, for transfers that must arrive unchanged.
inline QByteArray BinaryBytes(int size)
{
    QByteArray bytes;
    bytes.reserve(size);
    for (int i = 0; i < size; ++i)
        bytes += static_cast<char>(i * 7);
    return bytes;
}

inline bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

inline QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The two ways to the simulator: its TCP port, or its HTTPS side with its
// own certificate trusted and verification on.
enum class Transport
{
    Tcp,
    Https
};

inline const char* TransportName(Transport transport)
{
    return transport == Transport::Tcp ? "Tcp" : "Https";
}

inline std::unique_ptr<TNuraClient> Connect(const SimServer& sim, Reports& reports,
                                            Transport transport)
{
    const TTextHandler onError = TTextHandler::Of<&Reports::Error>(&reports);
    const TTextHandler onMessage = TTextHandler::Of<&Reports::Message>(&reports);
    const QString identification = QStringLiteral("version=C-test");
    if (transport == Transport::Https) {
        SetHttpsSettings({sim.CertificateFile(), true});
        return std::make_unique<THTTPSNuraClient>(sim.HttpsUrl(), onError, onMessage,
                                                  identification);
    }
    return std::make_unique<TStandardNuraClient>(
        QStringLiteral("127.0.0.1"), TTextHandler::Of<&Reports::ServerMessage>(&reports), onError,
        onMessage, identification, sim.Port());
}

inline std::unique_ptr<TStandardNuraClient> Connect(const SimServer& sim, Reports& reports)
{
    return std::make_unique<TStandardNuraClient>(
        QStringLiteral("127.0.0.1"), TTextHandler::Of<&Reports::ServerMessage>(&reports),
        TTextHandler::Of<&Reports::Error>(&reports), TTextHandler::Of<&Reports::Message>(&reports),
        QStringLiteral("version=C-test"), sim.Port());
}

// Connects and logs in as the demo operator of the reading room.
template <typename Client>
std::unique_ptr<Client> LogInWith(std::unique_ptr<Client> client, const QString& user,
                                  const QString& password)
{
    QString error;
    client->Login(user, password, error, false, QStringLiteral("czytelnia"));
    return error.isEmpty() ? std::move(client) : nullptr;
}

inline std::unique_ptr<TStandardNuraClient> LogIn(const SimServer& sim, Reports& reports,
                                                  const QString& user = QStringLiteral("demo"),
                                                  const QString& password = QStringLiteral("demo"))
{
    return LogInWith(Connect(sim, reports), user, password);
}

// A simulator and a client logged in to it over TCP: the starting point of
// most tests. Ready() is false when either could not be set up.
struct SimSession
{
    explicit SimSession(const QStringList& options = {},
                        const QString& user = QStringLiteral("demo"),
                        const QString& password = QStringLiteral("demo"))
        : sim(options)
    {
        if (sim.Running())
            client = LogIn(sim, reports, user, password);
    }

    bool Ready() const { return client != nullptr; }

    SimServer sim;
    Reports reports;
    std::unique_ptr<TStandardNuraClient> client;
};

// The same over either transport, for the tests whose expectations hold
// for both.
struct TransportSession
{
    explicit TransportSession(Transport transport, const QStringList& options = {},
                              const QString& user = QStringLiteral("demo"),
                              const QString& password = QStringLiteral("demo"))
        : sim(options)
    {
        if (sim.Running())
            client = LogInWith(Connect(sim, reports, transport), user, password);
    }

    bool Ready() const { return client != nullptr; }

    SimServer sim;
    Reports reports;
    std::unique_ptr<TNuraClient> client;
};
