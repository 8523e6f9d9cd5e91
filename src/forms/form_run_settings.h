#pragma once

#include <QChar>
#include <QString>

// The process-wide settings of the form fields that the parameter window
// sets while it runs: the last LIST row a scroll bar reaches, the decimal
// separator stored in NUMBER values, and the font of masked edits
// ("face/height/style", "B" in the style meaning bold).
struct FormRunSettings
{
    int lastListRow = 999;
    QChar decimalSeparator = QChar(u'.');
    QString maskedEditFont = QStringLiteral("Courier New/-14/B");

    bool operator==(const FormRunSettings& other) const
    {
        return lastListRow == other.lastListRow && decimalSeparator == other.decimalSeparator &&
               maskedEditFont == other.maskedEditFont;
    }
};

// What the parameter window runs its forms with.
FormRunSettings ParameterWindowSettings();

FormRunSettings CurrentFormRunSettings();
// The font of masked edits now; see FontSpecification.
QString MaskedEditFont();
void ApplyFormRunSettings(const FormRunSettings& settings);

// Sets `settings` for its own lifetime and puts the earlier ones back when it
// ends, however the run ends.
class FormRunSettingsScope
{
public:
    explicit FormRunSettingsScope(const FormRunSettings& settings);
    ~FormRunSettingsScope();
    FormRunSettingsScope(const FormRunSettingsScope&) = delete;
    FormRunSettingsScope& operator=(const FormRunSettingsScope&) = delete;

private:
    FormRunSettings m_saved;
};
