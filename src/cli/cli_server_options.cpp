#include "cli/cli_server_options.h"

#include "client/https_settings.h"
#include "client/nura_client_factory.h"

#include <utility>

bool TakeServerOptions(QStringList& arguments, ServerOptions& options)
{
    QString port;
    QString caFile;
    const std::pair<const char*, QString*> valued[] = {
        {"--address", &options.address}, {"--port", &port},
        {"--user", &options.user},       {"--password", &options.password},
        {"--service", &options.service}, {"--cafile", &caFile},
    };
    HttpsSettings https = ConfiguredHttpsSettings();
    bool matched = true;
    while (matched && !arguments.isEmpty()) {
        matched = false;
        if (arguments.first() == QLatin1String("--insecure")) {
            https.verify = false;
            arguments.removeFirst();
            matched = true;
            continue;
        }
        if (arguments.size() < 2)
            break;
        for (const auto& [name, value] : valued) {
            if (arguments.first() == QLatin1String(name)) {
                if (value == &options.service)
                    options.serviceGiven = true;
                *value = arguments.at(1);
                arguments.remove(0, 2);
                matched = true;
                break;
            }
        }
    }
    bool portIsNumber = false;
    options.port = port.toInt(&portIsNumber);
    if (options.address.isEmpty() || (!portIsNumber && !IsHttpsAddress(options.address)))
        return false;
    if (!caFile.isEmpty())
        https.caFile = caFile;
    SetHttpsSettings(https);
    return true;
}
