#pragma once

#include "connection.h"

#include <QString>

#include <atomic>
#include <map>
#include <mutex>
#include <thread>

// The listening socket on 127.0.0.1 and one thread per client.
class SimServer
{
public:
    explicit SimServer(SimContext& context) : m_context(context) {}
    ~SimServer();

    // Binds and listens; port 0 takes any free port. Returns an error text,
    // empty on success.
    QString Listen(int port);
    int Port() const { return m_port; }
    // Accepts clients until `stopping` is set, then closes every
    // connection and waits for their threads.
    void Run(const std::atomic<bool>& stopping);

private:
    void Reap(bool all);

    SimContext& m_context;
    int m_listener = -1;
    int m_port = 0;
    std::mutex m_mutex;
    struct Client
    {
        int descriptor;
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };
    std::map<int, Client> m_clients;
};
