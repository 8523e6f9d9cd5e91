#include "reports/preview_window_settings.h"

#include "config/ini_file.h"
#include "config/user_config_file.h"

namespace {

QString Section()
{
    return QStringLiteral("ZESTAWIENIA");
}

} // namespace

PreviewWindowSettings ReadPreviewWindowSettings(const IniFile& file)
{
    PreviewWindowSettings settings;
    settings.font = file.ReadString(Section(), QStringLiteral("font"), QString());
    settings.x = file.ReadInteger(Section(), QStringLiteral("x"), settings.x);
    settings.y = file.ReadInteger(Section(), QStringLiteral("y"), settings.y);
    settings.width = file.ReadInteger(Section(), QStringLiteral("width"), settings.width);
    settings.height = file.ReadInteger(Section(), QStringLiteral("height"), settings.height);
    settings.maximized = file.ReadBool(Section(), QStringLiteral("maximized"), settings.maximized);
    settings.printer = file.ReadString(Section(), QStringLiteral("drukarka"), QString());
    return settings;
}

QString WritePreviewWindowSettings(IniFile& file, const PreviewWindowSettings& settings)
{
    return FirstWriteError({
        file.WriteInteger(Section(), QStringLiteral("x"), settings.x),
        file.WriteInteger(Section(), QStringLiteral("y"), settings.y),
        file.WriteInteger(Section(), QStringLiteral("width"), settings.width),
        file.WriteInteger(Section(), QStringLiteral("height"), settings.height),
        file.WriteBool(Section(), QStringLiteral("maximized"), settings.maximized),
        file.WriteString(Section(), QStringLiteral("drukarka"), settings.printer),
    });
}

QString PrinterSettingsFilePath()
{
    return UserConfigFile(QStringLiteral("drukarka.dat"));
}
