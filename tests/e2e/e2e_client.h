#pragma once

#include "client/standard_nura_client.h"
#include "sim_server.h"

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

inline std::unique_ptr<TStandardNuraClient> Connect(const SimServer& sim, Reports& reports)
{
    return std::make_unique<TStandardNuraClient>(
        QStringLiteral("127.0.0.1"), TTextHandler::Of<&Reports::ServerMessage>(&reports),
        TTextHandler::Of<&Reports::Error>(&reports), TTextHandler::Of<&Reports::Message>(&reports),
        QStringLiteral("version=C-test"), sim.Port());
}

// Connects and logs in as the demo operator of the reading room.
inline std::unique_ptr<TStandardNuraClient> LogIn(const SimServer& sim, Reports& reports,
                                                  const QString& user = QStringLiteral("demo"),
                                                  const QString& password = QStringLiteral("demo"))
{
    auto client = Connect(sim, reports);
    QString error;
    client->Login(user, password, error, false, QStringLiteral("czytelnia"));
    return error.isEmpty() ? std::move(client) : nullptr;
}

// A simulator and a client logged in to it: the starting point of most
// tests. Ready() is false when either could not be set up.
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
