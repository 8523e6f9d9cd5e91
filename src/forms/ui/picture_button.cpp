#include "forms/ui/picture_button.h"

#include "forms/form_picture.h"

#include <QPixmap>
#include <QToolButton>

QToolButton* NewPictureButton(QWidget* container, const FormPicture& picture)
{
    auto* button = new QToolButton(container);
    button->setAutoRaise(true);
    QPixmap pixmap;
    if (pixmap.loadFromData(picture.bytes)) {
        button->setIcon(pixmap);
        button->setIconSize(pixmap.size());
    }
    return button;
}
