#pragma once

#include "sim_options.h"
#include "sim_reply.h"

#include <QString>

#include <atomic>
#include <mutex>

// The fault switches that make the simulator misbehave on purpose so that
// the client's error paths can be driven: dropped connections, replies cut
// in half, hangs, malformed counts and server messages. Requests are
// counted over all connections since start.
class FaultSwitches
{
public:
    enum class Action
    {
        Answer,
        Drop,
        DropMidReply,
        Hang
    };

    explicit FaultSwitches(const SimOptions& options);

    // Counts the request and says what to do with it. Each of drop, drop in
    // mid-reply and hang fires once, at request N+1 of those counted
    // (all, or those whose record line starts with the --fault-request
    // prefix).
    Action OnRequest(const QString& recordLine);

    // Applies --bad-count and --server-messages to a reply. `code` is the
    // request's code byte: the handshake and login replies keep their count.
    void Decorate(SimReply& reply, int code) const;

private:
    const SimOptions& m_options;
    std::mutex m_mutex;
    qint64 m_counted = 0;
    bool m_dropDone = false;
    bool m_dropMidDone = false;
    bool m_hangDone = false;
};
