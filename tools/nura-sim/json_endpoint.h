#pragma once

#include "connection.h"
#include "json_conversations.h"

#include <QString>

#include <string>

// What the HTTP front end is to do with one posted request.
struct HttpAnswer
{
    enum class Transport
    {
        Reply,        // send status, body and headers
        Drop,         // close the connection without a reply
        DropMidReply, // send about half of the body, then close
        Hang,         // no reply; the connection stays open
    };

    Transport transport = Transport::Reply;
    int status = 200;
    std::string body;
    // With a charset cpp-httplib leaves the body alone, so it never
    // compresses a reply on its own: gzip comes only from the fault switch.
    std::string contentType = "application/json; charset=utf-8";
    bool gzip = false;            // the body is gzip-compressed (Content-Encoding gzip)
    bool closeConnection = false; // "Connection: close" after this reply
};

// The HTTPS side without sockets: a posted JSON request becomes the same
// items the TCP side reads, goes through the same request handler within
// its conversation, is recorded and logged, and its reply becomes the JSON
// reply document, with the fault switches applied. The HTTP front ends of
// both HTTPS and plain HTTP share one endpoint.
class JsonEndpoint
{
public:
    explicit JsonEndpoint(SimContext& context) : m_context(context) {}

    // `body` is the request body as it arrived.
    HttpAnswer Serve(const std::string& body);

    JsonConversations& Conversations() { return m_conversations; }

private:
    struct Exchange; // one request within its conversation

    HttpAnswer Run(Exchange& exchange);
    HttpAnswer Reply(Exchange& exchange, FaultSwitches::Action action, bool brokenDocument);
    void Log(const Exchange& exchange, const QString& outcome) const;

    SimContext& m_context;
    JsonConversations m_conversations;
};
