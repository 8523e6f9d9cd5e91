#include "forms/ui/ed_mask_editor.h"

#include "forms/font_specification.h"
#include "forms/form_descriptions.h"
#include "forms/form_record.h"
#include "forms/form_run_settings.h"
#include "forms/form_substitutions.h"
#include "forms/ui/editor_geometry.h"

#include <QLineEdit>

namespace {

// The masked edits' font setting, or the editors' bold font without one.
QFont MaskFont(const QWidget& container)
{
    const std::optional<FontSpecification> specification = ParseFontSpecification(MaskedEditFont());
    if (!specification)
        return FieldEditor::EditorFont(container, true);
    QFont font(specification->face);
    if (specification->height < 0)
        font.setPixelSize(-specification->height);
    else
        font.setPointSize(specification->height);
    font.setBold(specification->bold);
    return font;
}

} // namespace

ed_mask_editor::ed_mask_editor(my_editor& parent, const my_mask& description, int dx, int dy,
                               const QString& substitutions)
    : FieldEditor(parent, ApplySubstitutions(description.fieldName, substitutions)),
      m_mask(description.editMask)
{
    Raise(FormEvent::Announce, FieldName());
    auto* edit = new QLineEdit(Container());
    edit->setInputMask(m_mask.InputMask());
    edit->setFont(MaskFont(*Container()));
    Adopt(edit, SingleLineGeometry(description, dx, dy));
    QObject::connect(edit, &QLineEdit::textEdited, this, [this] {
        StoreValue();
        Stored();
        Raise(FormEvent::Change, FieldName());
    });
}

QString ed_mask_editor::convert(const QString& value, Direction) const
{
    return value;
}

QLineEdit* ed_mask_editor::Edit() const
{
    return static_cast<QLineEdit*>(Control());
}

void ed_mask_editor::ShowValue()
{
    Edit()->setText(m_mask.ShownOfValue(convert(Record().Value(FieldName()), Direction::ToShown)));
    Stored();
}

void ed_mask_editor::StoreValue()
{
    Store(convert(m_mask.ValueOfShown(Edit()->displayText()), Direction::ToRecord));
}

void ed_mask_editor::Commit()
{
    FieldEditor::Commit();
    if (!IsReadOnly())
        ShowValue();
}

int ed_mask_editor::CaretPosition() const
{
    return Edit()->cursorPosition();
}

void ed_mask_editor::MoveCaret(int position)
{
    Edit()->setCursorPosition(position);
}
