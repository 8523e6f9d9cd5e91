#include "forms/form_run_settings.h"

#include "forms/form_value_formats.h"

namespace {

// The decimal separator lives with the number formats that use it.
struct OtherSettings
{
    int lastListRow = 999;
    QString maskedEditFont = QStringLiteral("Courier New/-14/B");
};

OtherSettings& Settings()
{
    static OtherSettings settings;
    return settings;
}

} // namespace

FormRunSettings ParameterWindowSettings()
{
    return {999, QChar(u','), QStringLiteral("Courier New/-14/B")};
}

FormRunSettings CurrentFormRunSettings()
{
    return {Settings().lastListRow, NumberDecimalSeparator(), Settings().maskedEditFont};
}

QString MaskedEditFont()
{
    return Settings().maskedEditFont;
}

void ApplyFormRunSettings(const FormRunSettings& settings)
{
    Settings().lastListRow = settings.lastListRow;
    Settings().maskedEditFont = settings.maskedEditFont;
    SetNumberDecimalSeparator(settings.decimalSeparator);
}

FormRunSettingsScope::FormRunSettingsScope(const FormRunSettings& settings)
    : m_saved(CurrentFormRunSettings())
{
    ApplyFormRunSettings(settings);
}

FormRunSettingsScope::~FormRunSettingsScope()
{
    ApplyFormRunSettings(m_saved);
}
