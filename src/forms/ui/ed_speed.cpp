#include "forms/ui/ed_speed.h"

#include "forms/form_descriptions.h"
#include "forms/form_substitutions.h"
#include "forms/ui/editor_geometry.h"

#include <QPixmap>
#include <QToolButton>

ed_speed::ed_speed(my_editor& parent, const my_speed& description, int dx, int dy,
                   const QString& substitutions)
    : ActionEditor(parent, ApplySubstitutions(description.fieldName, substitutions))
{
    auto* button = new QToolButton(Container());
    button->setAutoRaise(true);
    QPixmap picture;
    if (picture.loadFromData(description.picture.bytes)) {
        button->setIcon(picture);
        button->setIconSize(picture.size());
    }
    Adopt(button, TallGeometry(description, dx, dy));
    QObject::connect(button, &QToolButton::clicked, this, [this] {
        Container()->setFocus();
        AskForAction();
    });
}
