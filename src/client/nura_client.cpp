#include "client/nura_client.h"

TNuraClient::TNuraClient(TTextHandler onError, TTextHandler onMessage,
                         const QString& clientIdentification)
    : messageHandler(onMessage), identification(clientIdentification)
{
    SetErrorHandler(onError);
}

TNuraClient::~TNuraClient() = default;

// Without an error handler of its own, errors go where the messages go.
void TNuraClient::SetErrorHandler(TTextHandler handler)
{
    errorHandler = handler ? handler : messageHandler;
}
