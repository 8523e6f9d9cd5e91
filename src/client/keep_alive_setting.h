#pragma once

class IniFile;

// The keep-alive interval of TCP connections, process-wide, in milliseconds.
inline constexpr int kDefaultKeepAliveMilliseconds = 300000;

int KeepAliveMilliseconds();
void SetKeepAliveMilliseconds(int milliseconds);

// Section "TCP": "timeout" in seconds when non-zero, else "timout" in
// milliseconds when non-zero, else the interval stays as it is.
void ApplyConfiguredKeepAlive(const IniFile& configuration);
