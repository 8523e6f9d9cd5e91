#pragma once

#include <QStringList>

class CliIo;

// Runs one czytelnia-cli command line (without the program name) and returns
// the exit code: 0 on success, 1 with the error text on the error stream.
// `programFolder` is where the configuration file is looked for by default.
int RunCli(QStringList arguments, const QString& programFolder, CliIo& io);

// True when the command line draws text (report pictures and PDF files),
// which needs a QGuiApplication rather than a QCoreApplication.
bool CliNeedsGui(const QStringList& arguments);

// Each command group takes the words after its name.
int RunIniCommand(const QStringList& arguments, CliIo& io);
int RunBraceCommand(const QStringList& arguments, CliIo& io);
int RunJsonCommand(const QStringList& arguments, CliIo& io);
int RunCodecCommand(const QStringList& arguments, CliIo& io);
int RunCallCommand(QStringList arguments, CliIo& io);
// The commands that open a session as the reading-room program does.
int RunCatalogCommand(QStringList arguments, CliIo& io);
int RunVisitsCommand(QStringList arguments, CliIo& io);
int RunBarcodeCommand(const QStringList& arguments, CliIo& io);
int RunFormCommand(const QStringList& arguments, CliIo& io);
// The parameter window for a form, drawn to a picture.
int RunFormRenderCommand(const QStringList& arguments, CliIo& io);
// A MARKERS field's text as the marker memo shows it and reads it back.
int RunMarkersCommand(const QStringList& arguments, CliIo& io);
// The report commands take the configuration file for the installation's
// texts and the report font.
int RunReportCommand(const QStringList& arguments, const QString& configFile, CliIo& io);
// Rich text content laid out as a form's panel shows it.
int RunRichTextCommand(const QStringList& arguments, CliIo& io);
// The per-user automatic-login file: set, show, clear.
int RunAutologinCommand(const QStringList& arguments, CliIo& io);
