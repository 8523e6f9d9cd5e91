#include "forms/ui/ed_speed.h"

#include "forms/form_descriptions.h"
#include "forms/form_substitutions.h"
#include "forms/ui/editor_geometry.h"
#include "forms/ui/picture_button.h"

#include <QToolButton>

ed_speed::ed_speed(my_editor& parent, const my_speed& description, int dx, int dy,
                   const QString& substitutions)
    : ActionEditor(parent, ApplySubstitutions(description.fieldName, substitutions))
{
    QToolButton* button = NewPictureButton(Container(), description.picture);
    Adopt(button, TallGeometry(description, dx, dy));
    QObject::connect(button, &QToolButton::clicked, this, [this] {
        Container()->setFocus();
        AskForAction();
    });
}
