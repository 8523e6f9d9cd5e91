#pragma once

#include <QString>

class IniFile;

// How HTTPS connections check the server, process-wide. By default the
// server's certificate and host name are verified against the system's
// trust store; a library server with a certificate of its own is trusted
// through `caFile`. Turning verification off exposes the password to anyone
// on the path and is for test set-ups only.
struct HttpsSettings
{
    QString caFile; // an extra certificate file (PEM) to trust; empty for none
    bool verify = true;
};

HttpsSettings ConfiguredHttpsSettings();
void SetHttpsSettings(const HttpsSettings& settings);

// Section "HTTPS": "cafile" (macros expanded, a path relative to the
// configuration's folder) and "weryfikacja" (0 turns verification off).
// Keys that are absent leave the setting as it is.
void ApplyConfiguredHttps(const IniFile& configuration, const QString& configFolder);
