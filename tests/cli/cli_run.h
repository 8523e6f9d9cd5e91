#pragma once

#include "cli/cli_command.h"
#include "cli/cli_io.h"

#include <QBuffer>
#include <QStringList>

#include <vector>

inline QString S(const char* text)
{
    return QString::fromUtf8(text);
}

inline QStringList Words(const std::vector<const char*>& words)
{
    QStringList list;
    for (const char* word : words)
        list << S(word);
    return list;
}

struct CliRun
{
    int rc;
    QByteArray out;
    QByteArray err;
};

// Runs one command line in this process, with `input` as standard input.
inline CliRun RunInProcess(const QStringList& arguments, const QString& programFolder,
                           const QByteArray& input = QByteArray())
{
    QByteArray data = input;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    CliIo io(buffer);
    const int rc = RunCli(arguments, programFolder, io);
    return {rc, io.Out(), io.Err()};
}
