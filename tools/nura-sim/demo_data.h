#pragma once

#include <QString>

// Makes the data folder ready: with --demo, copies the built-in demo data
// into `dataDir` when that folder is empty or missing, or into a fresh
// folder under the system's temporary folder when `dataDir` is empty.
// `folder` receives the folder to use. Returns an error text, empty on
// success.
QString PrepareDataFolder(const QString& dataDir, bool demo, QString& folder);

// Copies the built-in demo data into `folder`. The demo reports are kept
// as UTF-8 in the program and written in the 8-bit code page, which is what
// report files are on a real server.
QString CopyDemoData(const QString& folder);
