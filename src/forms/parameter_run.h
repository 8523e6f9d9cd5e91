#pragma once

#include "forms/form_descriptions.h"
#include "forms/form_event_hook.h"
#include "forms/form_record.h"
#include "forms/form_run_settings.h"

#include <QSize>
#include <QString>

#include <memory>

class OperatorMessages;

// The parameter window's sizes as designed.
struct ParameterWindowMetrics
{
    static constexpr int kBottomPanelHeight = 39;
    static constexpr int kButtonWidth = 84;
    static constexpr int kGroupWidth = 202;
};

// The client area the parameter window takes for `form`: wide enough for the
// form and for the bottom panel's visible controls, high enough for the
// form above the bottom panel.
QSize ParameterWindowClientSize(const my_formular& form, bool groupVisible, bool buttonVisible);

// One run of the parameter window without its controls: the compiled form,
// the values loaded from the last run's parameter text, the form settings
// of the window for as long as the run lives, and what confirming the form
// gives. The window builds the editors on Form() and Record() and shows
// itself until Confirm() accepts or the operator cancels.
class ParameterRun
{
public:
    // Null when the description file cannot be read; the compiler has then
    // said "Brak pliku" through `messages`, as it says every description
    // error.
    static std::unique_ptr<ParameterRun>
    Open(const QString& descriptionFile, const QString& initialValues, OperatorMessages& messages);

    const my_formular& Form() const { return *m_form; }
    my_record& Record() { return m_record; }
    // The window's hook: it takes every event and answers nothing, so
    // buttons, menus and links of a form only commit their field.
    FormEventHook Hook() const;

    struct Outcome
    {
        bool accepted = false;
        QString parameterText; // never empty when accepted: at least "||"
        QString errorText;     // the record's errors, one a line, when not
    };
    // "Wykonaj" was pressed and the focused field committed: the form is told
    // (commit of "FORMULARZ", action "WYKONAJ") and its values are taken, or
    // its errors given back so that the window can show them and open again.
    Outcome Confirm();

private:
    ParameterRun(std::unique_ptr<my_formular> form, const QString& initialValues);

    std::unique_ptr<my_formular> m_form;
    my_record m_record;
    FormRunSettingsScope m_settings;
};
