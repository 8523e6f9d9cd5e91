#include "forms/ui/ed_button.h"

#include "forms/form_descriptions.h"
#include "forms/form_substitutions.h"
#include "forms/ui/editor_geometry.h"

#include <QPushButton>

ed_button::ed_button(my_editor& parent, const my_button& description, int dx, int dy,
                     const QString& substitutions)
    : ActionEditor(parent, ApplySubstitutions(description.fieldName, substitutions))
{
    auto* button = new QPushButton(description.caption, Container());
    button->setFont(EditorFont(*Container(), false));
    button->setAutoDefault(false);
    Adopt(button, TallGeometry(description, dx, dy));
    QObject::connect(button, &QPushButton::clicked, this, [this] { AskForAction(); });
}
