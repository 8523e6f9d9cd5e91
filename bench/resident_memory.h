#pragma once

#include <QtGlobal>

#include <fstream>
#include <string>

// Resident memory of this process in bytes: "VmRSS:" for the current size,
// "VmHWM:" for the peak since the last ResetPeakMemory.
inline qint64 ResidentBytes(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string name;
    while (status >> name) {
        if (name == field) {
            qint64 kilobytes = 0;
            status >> kilobytes;
            return kilobytes * 1024;
        }
        status.ignore(1 << 16, '\n');
    }
    return 0;
}

inline void ResetPeakMemory()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}
