#pragma once

#include "cli_run.h"
#include "sim_server.h"

#include <gtest/gtest.h>

#include <string>

// The options that send a server command to `sim`: its TCP port, or its
// HTTPS side with the certificate it made trusted and verification on.
inline QStringList ServerOptionsFor(const SimServer& sim, bool https, const char* user,
                                    const char* password)
{
    QStringList options{S("--address")};
    if (https)
        options += {sim.HttpsUrl(), S("--cafile"), sim.CertificateFile()};
    else
        options += {S("127.0.0.1"), S("--port"), QString::number(sim.Port())};
    return options + QStringList{S("--user"), S(user), S("--password"), S(password)};
}

// The lines of a command's standard output.
inline QStringList OutputLines(const CliRun& run)
{
    return QString::fromUtf8(run.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Names the instances of a test that runs over TCP (false) and HTTPS (true).
inline std::string TransportTestName(const testing::TestParamInfo<bool>& https)
{
    return https.param ? "Https" : "Tcp";
}
