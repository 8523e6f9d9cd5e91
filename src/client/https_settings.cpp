#include "client/https_settings.h"

#include "config/config_path.h"
#include "config/ini_file.h"
#include "config/ini_macro.h"

#include <mutex>
#include <optional>

namespace {

std::mutex g_mutex;
HttpsSettings g_settings;

} // namespace

HttpsSettings ConfiguredHttpsSettings()
{
    const std::lock_guard<std::mutex> lock(g_mutex);
    return g_settings;
}

void SetHttpsSettings(const HttpsSettings& settings)
{
    const std::lock_guard<std::mutex> lock(g_mutex);
    g_settings = settings;
}

void ApplyConfiguredHttps(const IniFile& configuration, const QString& configFolder)
{
    const QString section = QStringLiteral("HTTPS");
    const QString caKey = QStringLiteral("cafile");
    const QString verifyKey = QStringLiteral("weryfikacja");
    std::optional<QString> caFile;
    if (configuration.ValueExists(section, caKey)) {
        const QString value = MacroTable::Build(configuration, configFolder)
                                  .Expand(configuration.ReadString(section, caKey, QString()))
                                  .trimmed();
        // An empty value names no file; it must not become the folder itself.
        caFile = value.isEmpty() ? QString() : LocalPath(value, configFolder);
    }
    std::optional<bool> verify;
    if (configuration.ValueExists(section, verifyKey))
        verify = configuration.ReadInteger(section, verifyKey, 1) != 0;

    const std::lock_guard<std::mutex> lock(g_mutex);
    if (caFile)
        g_settings.caFile = *caFile;
    if (verify)
        g_settings.verify = *verify;
}
