#include "client/nura_client_factory.h"

#include "client/https_nura_client.h"
#include "client/standard_nura_client.h"

bool IsHttpsAddress(const QString& address)
{
    const QString upper = address.toUpper();
    return upper.contains(QLatin1String("HTTPS:")) || upper.contains(QLatin1String("HTTP:"));
}

std::unique_ptr<TNuraClient> CreateNuraClient(const QString& address, TTextHandler onServerMessage,
                                              TTextHandler onError, TTextHandler onMessage,
                                              const QString& clientIdentification, qint32 port)
{
    if (IsHttpsAddress(address))
        return std::make_unique<THTTPSNuraClient>(address, onError, onMessage,
                                                  clientIdentification);
    return std::make_unique<TStandardNuraClient>(address, onServerMessage, onError, onMessage,
                                                 clientIdentification, port);
}
