#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The command line of nura-sim.
struct SimOptions
{
    int port = 8000;
    QString dataDir;
    bool demo = false;
    bool quiet = false;
    int chunk = 16384;
    QString recordFile;
    int itemTimeoutMs = 5000;

    // The HTTPS side: its port (-1 = off), an optional plain HTTP port and
    // the certificate. Without --cert and --key the certificate pair of the
    // data folder is used, made on the first start.
    int httpsPort = 8443;
    int httpPort = -1;
    QString certFile;
    QString keyFile;

    // Fault switches; -1 = off.
    qint64 dropAfter = -1;
    qint64 dropMidReply = -1;
    qint64 hangAfter = -1;
    // --drop-random N: each request is dropped with probability 1/N (N >= 2),
    // half of the drops before it is carried out and half after; the seed
    // makes the choice reproducible (default: taken from the clock).
    qint64 dropRandom = -1;
    std::optional<quint64> seed;
    QString faultRequest;
    int delayMs = 0;
    bool badCountSet = false;
    qint32 badCount = 0;
    int serverMessages = 0;
    qint64 longString = -1;
    QString oldServer; // "NURA1", "NURA2", "NURA3" or empty
    QString version;
    bool noUtf8 = false;
    bool noLoginKey = false;

    // Fault switches of the HTTPS side (see FaultSwitches::TakeHttpsFault).
    bool httpsGzip = false;
    int httpsStatus = 0; // 0 = off, else the HTTP response code
    std::optional<qint64> httpsEnvelopeStatus;
    QString httpsDropMember; // "data", "connection_id", "results" or empty
    bool httpsBadBlob = false;
    qint64 httpsFaultTimes = -1; // how many requests get them; -1 = all

    bool help = false;
};

// Parses the arguments after the program name. Returns an error text,
// empty on success.
QString ParseSimOptions(const QStringList& arguments, SimOptions& options);

QString SimUsage();
