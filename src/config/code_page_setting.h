#pragma once

#include <QString>

// Makes the 8-bit code page named by key "codepage" of section "SYSTEM" of
// the configuration file (default 1250) the page of the whole program.
// Returns an error text, empty on success; on error the page stays as it was.
QString ApplyConfiguredCodePage(const QString& iniPath);
