#pragma once

#include "session_state.h"

#include <QString>

#include <map>
#include <memory>
#include <mutex>

// One conversation of the HTTPS side: what a TCP connection is on the other
// side. The client names it by its connection id in every request; its
// mutex keeps two requests of one conversation from running at once.
struct JsonConversation
{
    QString id;
    std::mutex mutex;
    SessionState session;
};

// The conversations the HTTPS side knows, by connection id.
class JsonConversations
{
public:
    enum class Found
    {
        Known,
        New,     // the client sent no id: a new conversation
        Unknown, // an id this server never gave out, or one that was closed
    };

    // The conversation of `id`. An empty id starts a new one. So does an id
    // the server does not know: a server that was restarted, or that ended
    // the conversation, has nothing to continue, and the new id in the
    // reply tells the client so; the user is then no longer logged in.
    std::shared_ptr<JsonConversation> Find(const QString& id, Found& found);
    // Forgets a conversation (the client said goodbye).
    void Drop(const QString& id);
    size_t Size() const;

private:
    mutable std::mutex m_mutex;
    std::map<QString, std::shared_ptr<JsonConversation>> m_conversations;
    int m_started = 0;
};
