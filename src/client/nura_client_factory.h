#pragma once

#include "client/nura_client.h"

#include <QString>

#include <memory>

// Whether an address is the URL of an HTTPS (or plain HTTP) server: it
// names "HTTPS:" or "HTTP:" anywhere, in any case.
bool IsHttpsAddress(const QString& address);

// The client for an address: the HTTPS client for a URL (the port is then
// ignored, and there are no server messages), the TCP client for a host
// name or address and port. It has connected and greeted the server, or
// is in the error state.
std::unique_ptr<TNuraClient> CreateNuraClient(const QString& address, TTextHandler onServerMessage,
                                              TTextHandler onError, TTextHandler onMessage,
                                              const QString& clientIdentification, qint32 port);
