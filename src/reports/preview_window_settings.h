#pragma once

#include <QString>

class IniFile;

// The preview window's settings in the configuration file, section
// "ZESTAWIENIA": read when the main window is created, applied when the
// preview is created, written back when the main window closes.
struct PreviewWindowSettings
{
    QString font; // "font": the report font's face, empty for the report's own; never written
    int x = 0;
    int y = 0;
    int width = 800;
    int height = 600;
    bool maximized = false;
    // "drukarka": the printer last chosen in the print dialog, whose
    // settings the per-user file "drukarka.dat" keeps between runs.
    QString printer;
};

PreviewWindowSettings ReadPreviewWindowSettings(const IniFile& file);
// Writes "x", "y", "width", "height", "maximized" and "drukarka"; the first
// error text, empty on success.
QString WritePreviewWindowSettings(IniFile& file, const PreviewWindowSettings& settings);

// The per-user file that keeps the last chosen printer's device settings.
QString PrinterSettingsFilePath();
