#pragma once

#include "app/ui/operator_message_window.h"
#include "forms/ui/field_editor.h"

#include <memory>

class QScrollArea;
class RichTextView;
class my_panel;

// PANEL: rich text content the form gives for the field, laid out in a
// light grey scrolling area. A link chosen there asks the form for the
// action "field name|link". It keeps nothing and never takes the focus.
class ed_panel : public FieldEditor
{
public:
    ed_panel(my_editor& parent, const my_panel& description, int dx, int dy,
             const QString& substitutions);
    ~ed_panel() override;

    RichTextView& View() const { return *m_view; }

protected:
    void ShowValue() override;
    void ShowReadOnly(bool) override {}
    void Commit() override {}
    bool AnnouncesFocus() const override { return false; }

private:
    OperatorMessageWindow m_messages;
    std::unique_ptr<RichTextView> m_view;
};
