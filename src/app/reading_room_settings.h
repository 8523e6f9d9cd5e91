#pragma once

#include <QSize>
#include <QString>

class IniFile;
class MacroTable;

// The settings of the reading-room window kept in the configuration file:
// read when the window is created, written back when it closes.

// The screens the window is placed on.
struct ScreenGeometry
{
    QSize primary; // the primary screen
    QSize desktop; // the whole desktop over every monitor
    QSize window;  // the window itself
};

struct ReadingRoomSettings
{
    int top = 0;  // "OKNO" "gora"; centred when beyond the desktop
    int left = 0; // "OKNO" "lewo"
    // "WYPOŻYCZALNIA" "tmp", macros expanded, as a local folder with its
    // trailing "/"; default the program's folder.
    QString workingFolder;
    QString lastValues;    // "ZESTAWIENIA" "wartości"
    bool onTop = true;     // "CZYTELNIA" "nawierzchu"
    int buttonHeight = 30; // "CZYTELNIA" "dy"
    int buttonWidth = 100; // "CZYTELNIA" "dx"
};

// `programFolder` ends with "/".
ReadingRoomSettings ReadReadingRoomSettings(const IniFile& file, const MacroTable& macros,
                                            const ScreenGeometry& screens,
                                            const QString& programFolder);

// Creates the working folder when it does not exist; returns
// "Błąd konfiguracji - nie można utworzyć folderu roboczego" when that fails.
QString PrepareWorkingFolder(const QString& folder);

// Writes "gora", "lewo", "wartości", "nawierzchu", "dy" and "dx"; returns an
// error text, empty on success.
QString WriteReadingRoomSettings(IniFile& file, const ReadingRoomSettings& settings);
