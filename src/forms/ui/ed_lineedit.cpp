#include "forms/ui/ed_lineedit.h"

#include "forms/form_descriptions.h"
#include "forms/form_expression.h"
#include "forms/form_record.h"
#include "forms/form_substitutions.h"
#include "forms/ui/editor_geometry.h"

#include <QLineEdit>

ed_lineedit::ed_lineedit(my_editor& parent, const my_lineedit& description, int dx, int dy,
                         const QString& substitutions, int narrower)
    : FieldEditor(parent, ApplySubstitutions(description.fieldName, substitutions))
{
    Raise(FormEvent::Announce, FieldName());
    auto* edit = new QLineEdit(Container());
    edit->setFont(EditorFont(*Container(), true));
    if (description.maxLength > 0)
        edit->setMaxLength(description.maxLength);
    if (description.password)
        edit->setEchoMode(QLineEdit::Password);
    QRect geometry = SingleLineGeometry(description, dx, dy);
    geometry.setWidth(std::max(0, geometry.width() - narrower));
    Adopt(edit, geometry);
    QObject::connect(edit, &QLineEdit::textEdited, this, [this](const QString& text) {
        Store(text);
        Raise(FormEvent::Change, FieldName());
    });
}

QLineEdit* ed_lineedit::Edit() const
{
    return static_cast<QLineEdit*>(Control());
}

void ed_lineedit::ShowValue()
{
    Edit()->setText(Record().Value(FieldName()));
}

void ed_lineedit::StoreValue()
{
    Store(Edit()->text());
}

int ed_lineedit::CaretPosition() const
{
    return Edit()->cursorPosition();
}

void ed_lineedit::MoveCaret(int position)
{
    Edit()->setCursorPosition(position);
}
