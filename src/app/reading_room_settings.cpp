#include "app/reading_room_settings.h"

#include "config/config_path.h"
#include "config/ini_file.h"
#include "config/ini_macro.h"

#include <QDir>

namespace {

QString WindowSection()
{
    return QStringLiteral("OKNO");
}

QString ReportSection()
{
    return QStringLiteral("ZESTAWIENIA");
}

QString ReadingRoomSection()
{
    return QStringLiteral("CZYTELNIA");
}

// The largest button side the settings accept. The sizes only ever come from
// the menu's three choices; a hand-edited value far beyond them would make
// the layout's coordinates overflow.
constexpr int kMaxButtonSide = 1000;

int CentredOffset(int screen, int window)
{
    return (screen - window) / 2;
}

// A position saved on a monitor that is no longer there would put the window
// out of sight; it is centred instead. Negative values are kept, since a
// monitor may lie left of or above the primary one.
int ReadTop(const IniFile& file, const ScreenGeometry& screens)
{
    const int centred = CentredOffset(screens.primary.height(), screens.window.height());
    const int top = file.ReadInteger(WindowSection(), QStringLiteral("gora"), centred);
    return top > screens.desktop.height() - 32 ? centred : top;
}

int ReadLeft(const IniFile& file, const ScreenGeometry& screens)
{
    const int centred = CentredOffset(screens.primary.width(), screens.window.width());
    const int left = file.ReadInteger(WindowSection(), QStringLiteral("lewo"), centred);
    return left >= screens.desktop.width() ? centred : left;
}

int ReadButtonSide(const IniFile& file, const QString& key, int defaultValue)
{
    const int side = file.ReadInteger(ReadingRoomSection(), key, defaultValue);
    return side >= 1 && side <= kMaxButtonSide ? side : defaultValue;
}

// Files made for the Windows version give the folder with backslashes and
// relative to the program (".\tmp\", "..\tmp\"). The folder is a prefix of
// file names, so it always ends with "/".
QString ReadWorkingFolder(const IniFile& file, const MacroTable& macros,
                          const QString& programFolder)
{
    const QString configured =
        file.ReadString(QStringLiteral("WYPOŻYCZALNIA"), QStringLiteral("tmp"), QString());
    QString folder =
        configured.isEmpty() ? programFolder : LocalPath(macros.Expand(configured), programFolder);
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

} // namespace

ReadingRoomSettings ReadReadingRoomSettings(const IniFile& file, const MacroTable& macros,
                                            const ScreenGeometry& screens,
                                            const QString& programFolder)
{
    ReadingRoomSettings settings;
    settings.top = ReadTop(file, screens);
    settings.left = ReadLeft(file, screens);
    settings.workingFolder = ReadWorkingFolder(file, macros, programFolder);
    settings.lastValues = file.ReadString(ReportSection(), QStringLiteral("wartości"), QString());
    settings.onTop = file.ReadBool(ReadingRoomSection(), QStringLiteral("nawierzchu"), true);
    settings.buttonHeight = ReadButtonSide(file, QStringLiteral("dy"), settings.buttonHeight);
    settings.buttonWidth = ReadButtonSide(file, QStringLiteral("dx"), settings.buttonWidth);
    return settings;
}

QString PrepareWorkingFolder(const QString& folder)
{
    // mkpath also succeeds for a folder that is already there.
    if (!folder.isEmpty() && QDir().mkpath(folder))
        return QString();
    return QStringLiteral("Błąd konfiguracji - nie można utworzyć folderu roboczego");
}

QString WriteReadingRoomSettings(IniFile& file, const ReadingRoomSettings& settings)
{
    // A value the file refuses (the last report values may hold a line
    // break) must not cost the window its position and button size.
    return FirstWriteError({
        file.WriteInteger(WindowSection(), QStringLiteral("gora"), settings.top),
        file.WriteInteger(WindowSection(), QStringLiteral("lewo"), settings.left),
        file.WriteString(ReportSection(), QStringLiteral("wartości"), settings.lastValues),
        file.WriteBool(ReadingRoomSection(), QStringLiteral("nawierzchu"), settings.onTop),
        file.WriteInteger(ReadingRoomSection(), QStringLiteral("dy"), settings.buttonHeight),
        file.WriteInteger(ReadingRoomSection(), QStringLiteral("dx"), settings.buttonWidth),
    });
}
