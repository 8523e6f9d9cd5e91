#pragma once

#include <QStringList>

class CliIo;

// Runs one czytelnia-cli command line (without the program name) and returns
// the exit code: 0 on success, 1 with the error text on the error stream.
// `programFolder` is where the configuration file is looked for by default.
int RunCli(QStringList arguments, const QString& programFolder, CliIo& io);

// Each command group takes the words after its name.
int RunIniCommand(const QStringList& arguments, CliIo& io);
int RunBraceCommand(const QStringList& arguments, CliIo& io);
int RunJsonCommand(const QStringList& arguments, CliIo& io);
int RunCodecCommand(const QStringList& arguments, CliIo& io);
int RunCallCommand(QStringList arguments, CliIo& io);
int RunBarcodeCommand(const QStringList& arguments, CliIo& io);
int RunFormCommand(const QStringList& arguments, CliIo& io);
