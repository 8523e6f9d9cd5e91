#pragma once

#include "sim_options.h"
#include "sim_reply.h"

#include <QString>

#include <atomic>
#include <mutex>
#include <random>

// The fault switches that make the simulator misbehave on purpose so that
// the client's error paths can be driven: dropped connections, replies cut
// in half, hangs, malformed counts and server messages, and broken reply
// documents on the HTTPS side. Requests are counted over all connections of
// both sides since start.
class FaultSwitches
{
public:
    enum class Action
    {
        Answer,
        Drop, // --drop-after: closed without carrying the request out
        DropMidReply,
        Hang,
        DropBefore, // --drop-random: closed without carrying the request out
        DropAfter,  // --drop-random: carried out, then closed before the reply
    };

    explicit FaultSwitches(const SimOptions& options);

    // Counts the request and says what to do with it. Each of drop, drop in
    // mid-reply and hang fires once, at request N+1 of those counted
    // (all, or those whose record line starts with the --fault-request
    // prefix). Apart from those, --drop-random gives every counted request
    // its own chance of a drop.
    Action OnRequest(const QString& recordLine);

    // Applies --bad-count and --server-messages to a reply. `code` is the
    // request's code byte: the handshake and login replies keep their count.
    void Decorate(SimReply& reply, int code) const;

    // True when the faults of HTTPS reply documents (--https-status,
    // --https-envelope-status, --https-drop-member, --https-bad-blob) hit
    // this request: one is on, the request's record line starts with the
    // --fault-request prefix (when given), and fewer than --https-fault-times
    // requests were hit before.
    bool TakeHttpsFault(const QString& recordLine);

    // True while a drop is still to come for the next counted request:
    // --drop-after has yet to fire, or the random fate already drawn for
    // that request is a drop. An HTTP client that finds a reused keep-alive
    // connection closed before any byte of the reply sends the request
    // again on a new one, which would hide the drop (and count a request
    // dropped after it was carried out twice); so while one is to come,
    // every reply closes its connection.
    bool DropPending();

    // The seed of --drop-random: --seed, or one taken from the clock.
    quint64 RandomSeed();

private:
    void StartRandom();
    Action DrawRandom();
    Action TakeRandom();

    const SimOptions& m_options;
    mutable std::mutex m_mutex;
    qint64 m_counted = 0;
    bool m_dropDone = false;
    bool m_dropMidDone = false;
    bool m_hangDone = false;
    qint64 m_httpsFaults = 0;

    // The fate of each counted request is drawn one request ahead, so that
    // the reply before a drop can already close its connection. One
    // generator for all connections keeps a seed's drops reproducible for
    // a client that sends one request at a time.
    bool m_randomStarted = false;
    quint64 m_seed = 0;
    std::mt19937_64 m_random;
    Action m_nextRandom = Action::Answer;
};
