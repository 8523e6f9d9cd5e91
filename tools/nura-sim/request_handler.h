#pragma once

#include "request_parser.h"
#include "session_state.h"
#include "sim_data.h"
#include "sim_options.h"
#include "sim_reply.h"

// Turns a request into a reply: the handshake, login and logout, password
// change and ping, the visit registry, reports, files, blobs and entry
// lists from the data folder, and canned replies for everything else. It
// knows nothing of sockets, so another front end can reuse it.
class RequestHandler
{
public:
    RequestHandler(SimData& data, const SimOptions& options);

    // `recordLine` is the request's record line, used to match canned
    // replies. The session is updated for changes that take effect at
    // once; changes of encoding and login key that take effect after the
    // reply are in the reply.
    SimReply Handle(const ParsedRequest& request, const QString& recordLine, SessionState& session);
    // The answer to a request that did not match its layout: the error text
    // in the shape the client reads for that operation.
    static SimReply ErrorReply(const ParsedRequest& request);

private:
    SimReply Hello(const QString& offer, const SessionState& session) const;
    SimReply Description() const;
    SimReply LoginName(const QString& name, SessionState& session) const;
    SimReply LoginPassword(const QString& sent, SessionState& session) const;
    SimReply ChangePassword(const QString& sent, SessionState& session) const;
    SimReply Registry(const ParsedRequest& request, const SessionState& session,
                      const QString& recordLine) const;
    SimReply Entry(const ParsedRequest& request) const;
    SimReply Report(const ParsedRequest& request, const QString& recordLine) const;
    SimReply File(const ParsedRequest& request) const;
    SimReply Blob(const ParsedRequest& request, const QString& recordLine) const;
    SimReply Canned(const ParsedRequest& request, const QString& recordLine) const;

    SimData& m_data;
    const SimOptions& m_options;
};
