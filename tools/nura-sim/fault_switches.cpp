#include "fault_switches.h"

#include <chrono>
#include <limits>

FaultSwitches::FaultSwitches(const SimOptions& options) : m_options(options) {}

FaultSwitches::Action FaultSwitches::OnRequest(const QString& recordLine)
{
    if (!m_options.faultRequest.isEmpty() && !recordLine.startsWith(m_options.faultRequest))
        return Action::Answer;
    std::lock_guard<std::mutex> lock(m_mutex);
    const qint64 number = ++m_counted;
    // Every counted request uses up its draw, so a seed gives request k the
    // same fate whatever the other switches do.
    const Action random = TakeRandom();
    auto fires = [number](qint64 after, bool& done) {
        if (after < 0 || done || number != after + 1)
            return false;
        done = true;
        return true;
    };
    if (fires(m_options.dropAfter, m_dropDone))
        return Action::Drop;
    if (fires(m_options.dropMidReply, m_dropMidDone))
        return Action::DropMidReply;
    if (fires(m_options.hangAfter, m_hangDone))
        return Action::Hang;
    return random;
}

void FaultSwitches::Decorate(SimReply& reply, int code) const
{
    const bool counted = reply.shape == ReplyShape::Count;
    const bool handshakeOrLogin = code == 253 || code == 128 || code == 129;
    if (counted && m_options.badCountSet && !handshakeOrLogin) {
        reply.count = m_options.badCount;
        reply.countOnly = true;
        return;
    }
    const bool streamed =
        reply.shape == ReplyShape::Stream || reply.shape == ReplyShape::StatusThenStream;
    if (counted || streamed) {
        for (int i = 1; i <= m_options.serverMessages; ++i)
            reply.messages << QStringLiteral("Komunikat serwera %1").arg(i);
    }
}

bool FaultSwitches::TakeHttpsFault(const QString& recordLine)
{
    const bool any = m_options.httpsStatus != 0 || m_options.httpsEnvelopeStatus ||
                     !m_options.httpsDropMember.isEmpty() || m_options.httpsBadBlob;
    if (!any ||
        (!m_options.faultRequest.isEmpty() && !recordLine.startsWith(m_options.faultRequest)))
        return false;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_options.httpsFaultTimes >= 0 && m_httpsFaults >= m_options.httpsFaultTimes)
        return false;
    ++m_httpsFaults;
    return true;
}

bool FaultSwitches::DropPending()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_options.dropAfter >= 0 && !m_dropDone)
        return true;
    if (m_options.dropRandom < 2)
        return false;
    StartRandom();
    return m_nextRandom != Action::Answer;
}

quint64 FaultSwitches::RandomSeed()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    StartRandom();
    return m_seed;
}

// Started on first use rather than in the constructor: the tests set their
// options after the switches exist.
void FaultSwitches::StartRandom()
{
    if (m_randomStarted)
        return;
    m_randomStarted = true;
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    // 63 bits, so that a seed from the clock can be given back to --seed.
    m_seed = m_options.seed.value_or(
        static_cast<quint64>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()) &
        static_cast<quint64>(std::numeric_limits<qint64>::max()));
    m_random.seed(m_seed);
    if (m_options.dropRandom >= 2)
        m_nextRandom = DrawRandom();
}

// One number out of 2N: 0 drops before, 1 drops after, the rest answer.
// The reduction is done here rather than by a standard distribution, whose
// results differ between standard libraries, so that a seed means the same
// drops wherever the simulator was built.
FaultSwitches::Action FaultSwitches::DrawRandom()
{
    const quint64 range = static_cast<quint64>(m_options.dropRandom) * 2;
    const quint64 top = std::numeric_limits<quint64>::max();
    const quint64 limit = top - top % range; // draws below it are unbiased
    quint64 value = 0;
    do {
        value = m_random();
    } while (value >= limit);
    switch (value % range) {
    case 0:
        return Action::DropBefore;
    case 1:
        return Action::DropAfter;
    default:
        return Action::Answer;
    }
}

FaultSwitches::Action FaultSwitches::TakeRandom()
{
    if (m_options.dropRandom < 2)
        return Action::Answer;
    StartRandom();
    const Action fate = m_nextRandom;
    m_nextRandom = DrawRandom();
    return fate;
}
