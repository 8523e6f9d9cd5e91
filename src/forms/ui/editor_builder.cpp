#include "forms/ui/editor_builder.h"

#include "forms/form_descriptions.h"
#include "forms/ui/ed_KHW_editor.h"
#include "forms/ui/ed_button.h"
#include "forms/ui/ed_check_editor.h"
#include "forms/ui/ed_combo_editor.h"
#include "forms/ui/ed_date.h"
#include "forms/ui/ed_dynamic.h"
#include "forms/ui/ed_form.h"
#include "forms/ui/ed_label.h"
#include "forms/ui/ed_lineedit.h"
#include "forms/ui/ed_list.h"
#include "forms/ui/ed_mark_editor.h"
#include "forms/ui/ed_mask_editor.h"
#include "forms/ui/ed_memo_editor.h"
#include "forms/ui/ed_menu.h"
#include "forms/ui/ed_number.h"
#include "forms/ui/ed_panel.h"
#include "forms/ui/ed_speed.h"
#include "forms/ui/ed_spinedit.h"
#include "forms/ui/ed_table.h"
#include "forms/ui/ed_tabs.h"
#include "forms/ui/ed_text.h"
#include "forms/ui/editor_geometry.h"

#include <memory>

namespace {

// The editor of a description with a control of its own, or null.
std::unique_ptr<my_editor> FieldEditorOf(const my_formular& description, my_editor& parent, int dx,
                                         int dy, const QString& substitutions)
{
    const auto* field = dynamic_cast<const my_lineedit*>(&description);
    if (field != nullptr && description.ClassName() == QStringLiteral("my_lineedit"))
        return std::make_unique<ed_lineedit>(parent, *field, dx, dy, substitutions);
    if (const auto* dictionary = dynamic_cast<const my_KHW*>(&description))
        return std::make_unique<ed_KHW_editor>(parent, *dictionary, dx, dy, substitutions);
    if (const auto* date = dynamic_cast<const my_date*>(&description))
        return std::make_unique<ed_date>(parent, *date, dx, dy, substitutions);
    if (const auto* number = dynamic_cast<const my_number*>(&description))
        return std::make_unique<ed_number>(parent, *number, dx, dy, substitutions);
    const auto* mask = dynamic_cast<const my_mask*>(&description);
    if (mask != nullptr && description.ClassName() == QStringLiteral("my_mask"))
        return std::make_unique<ed_mask_editor>(parent, *mask, dx, dy, substitutions);
    if (const auto* label = dynamic_cast<const my_label*>(&description))
        return std::make_unique<ed_label>(parent, *label, dx, dy, substitutions);
    if (const auto* check = dynamic_cast<const my_check*>(&description))
        return std::make_unique<ed_check_editor>(parent, *check, dx, dy, substitutions);
    if (const auto* combo = dynamic_cast<const my_combo*>(&description))
        return std::make_unique<ed_combo_editor>(parent, *combo, dx, dy, substitutions);
    if (const auto* spin = dynamic_cast<const my_spin*>(&description))
        return std::make_unique<ed_spinedit>(parent, *spin, dx, dy, substitutions);
    if (const auto* button = dynamic_cast<const my_button*>(&description))
        return std::make_unique<ed_button>(parent, *button, dx, dy, substitutions);
    if (const auto* speed = dynamic_cast<const my_speed*>(&description))
        return std::make_unique<ed_speed>(parent, *speed, dx, dy, substitutions);
    if (const auto* menu = dynamic_cast<const my_menu*>(&description))
        return std::make_unique<ed_menu>(parent, *menu, dx, dy, substitutions);
    if (const auto* memo = dynamic_cast<const my_memo*>(&description))
        return std::make_unique<ed_memo_editor>(parent, *memo, dx, dy, substitutions);
    if (const auto* markers = dynamic_cast<const my_markedit*>(&description))
        return std::make_unique<ed_mark_editor>(parent, *markers, dx, dy, substitutions);
    if (const auto* text = dynamic_cast<const my_text*>(&description))
        return std::make_unique<ed_text>(parent, *text, dx, dy, substitutions);
    if (const auto* panel = dynamic_cast<const my_panel*>(&description))
        return std::make_unique<ed_panel>(parent, *panel, dx, dy, substitutions);
    if (const auto* list = dynamic_cast<const my_list*>(&description))
        return std::make_unique<ed_list>(parent, *list, dx, dy, substitutions);
    if (const auto* table = dynamic_cast<const my_table*>(&description))
        return std::make_unique<ed_table>(parent, *table, dx, dy, substitutions);
    if (const auto* dynamic = dynamic_cast<const my_dynamic*>(&description))
        return std::make_unique<ed_dynamic>(parent, *dynamic, dx, dy, substitutions);
    if (const auto* form = dynamic_cast<const my_form*>(&description))
        return std::make_unique<ed_form>(parent, *form, dx, dy, substitutions);
    return nullptr;
}

} // namespace

void BuildEditors(const my_formular& description, my_editor& parent, int dx, int dy,
                  const QString& substitutions)
{
    if (std::unique_ptr<my_editor> editor =
            FieldEditorOf(description, parent, dx, dy, substitutions)) {
        parent.Append(std::move(editor));
        return;
    }
    if (const auto* tabs = dynamic_cast<const my_tabs*>(&description)) {
        BuildTabs(*tabs, parent, dx, dy, substitutions);
        return;
    }
    const QPoint position = EditorPosition(description, dx, dy);
    BuildChildEditors(description, parent, position.x(), position.y(), substitutions);
}

void BuildChildEditors(const my_formular& description, my_editor& parent, int dx, int dy,
                       const QString& substitutions)
{
    for (const auto& child : description.children)
        BuildEditors(*child, parent, dx, dy, substitutions);
}
