#include "json_conversations.h"

#include <QRandomGenerator>

namespace {

// 128 random bits in hexadecimal: an id nobody guesses or reuses by chance.
QString NewConnectionId()
{
    QString id;
    for (int part = 0; part < 2; ++part)
        id += QStringLiteral("%1").arg(QRandomGenerator::global()->generate64(), 16, 16,
                                       QLatin1Char('0'));
    return id;
}

} // namespace

std::shared_ptr<JsonConversation> JsonConversations::Find(const QString& id, Found& found)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!id.isEmpty()) {
        const auto it = m_conversations.find(id);
        if (it != m_conversations.end()) {
            found = Found::Known;
            return it->second;
        }
    }
    found = id.isEmpty() ? Found::New : Found::Unknown;
    auto conversation = std::make_shared<JsonConversation>();
    do {
        conversation->id = NewConnectionId();
    } while (m_conversations.count(conversation->id) != 0);
    conversation->session.connection = ++m_started;
    conversation->session.unicodeText = true;
    m_conversations[conversation->id] = conversation;
    return conversation;
}

void JsonConversations::Drop(const QString& id)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_conversations.erase(id);
}

size_t JsonConversations::Size() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_conversations.size();
}
