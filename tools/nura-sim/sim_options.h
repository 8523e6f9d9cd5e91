#pragma once

#include <QString>
#include <QStringList>

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

    // Fault switches; -1 = off.
    qint64 dropAfter = -1;
    qint64 dropMidReply = -1;
    qint64 hangAfter = -1;
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

    bool help = false;
};

// Parses the arguments after the program name. Returns an error text,
// empty on success.
QString ParseSimOptions(const QStringList& arguments, SimOptions& options);

QString SimUsage();
