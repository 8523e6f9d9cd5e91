#include "fault_switches.h"

FaultSwitches::FaultSwitches(const SimOptions& options) : m_options(options) {}

FaultSwitches::Action FaultSwitches::OnRequest(const QString& recordLine)
{
    if (!m_options.faultRequest.isEmpty() && !recordLine.startsWith(m_options.faultRequest))
        return Action::Answer;
    std::lock_guard<std::mutex> lock(m_mutex);
    const qint64 number = ++m_counted;
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
    return Action::Answer;
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

bool FaultSwitches::DropPending() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_options.dropAfter >= 0 && !m_dropDone;
}
