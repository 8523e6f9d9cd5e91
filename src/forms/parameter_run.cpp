#include "forms/parameter_run.h"

#include "forms/form_compiler.h"
#include "forms/parameter_text.h"

#include <algorithm>

namespace {

// Room around the form and between the bottom panel's controls.
constexpr int kFormMargin = 2;
constexpr int kControlGap = 5;
constexpr int kBottomGap = 10;

const QString kFormName = QStringLiteral("FORMULARZ");
const QString kConfirmAction = QStringLiteral("WYKONAJ");

} // namespace

QSize ParameterWindowClientSize(const my_formular& form, bool groupVisible, bool buttonVisible)
{
    int minimumWidth = (groupVisible ? ParameterWindowMetrics::kGroupWidth : 0) + kControlGap;
    if (buttonVisible)
        minimumWidth += ParameterWindowMetrics::kButtonWidth + kControlGap;
    return QSize(std::max(form.RightExtent() + kFormMargin, minimumWidth),
                 form.BottomExtent() + ParameterWindowMetrics::kBottomPanelHeight + kBottomGap);
}

std::unique_ptr<ParameterRun> ParameterRun::Open(const QString& descriptionFile,
                                                 const QString& initialValues,
                                                 OperatorMessages& messages)
{
    std::unique_ptr<my_formular> form = CompileForm(descriptionFile, messages);
    if (!form)
        return nullptr;
    return std::unique_ptr<ParameterRun>(new ParameterRun(std::move(form), initialValues));
}

ParameterRun::ParameterRun(std::unique_ptr<my_formular> form, const QString& initialValues)
    : m_form(std::move(form)), m_record(), m_settings(ParameterWindowSettings())
{
    LoadParameterText(initialValues, m_record);
}

FormEventHook ParameterRun::Hook() const
{
    return [](FormEvent, my_record&, const QString&) { return std::optional<QStringList>(); };
}

ParameterRun::Outcome ParameterRun::Confirm()
{
    const FormEventHook hook = Hook();
    hook(FormEvent::Commit, m_record, kFormName);
    hook(FormEvent::Action, m_record, kConfirmAction);
    Outcome outcome;
    if (!m_record.errors().empty()) {
        outcome.errorText = m_record.ErrorText();
        m_record.ClearErrors();
        return outcome;
    }
    outcome.accepted = true;
    outcome.parameterText = BuildParameterText(m_record);
    return outcome;
}
