#include "forms/ui/ed_mark_editor.h"

#include "forms/form_descriptions.h"
#include "forms/form_record.h"
#include "forms/form_substitutions.h"
#include "forms/form_value_formats.h"
#include "forms/marker_specification.h"
#include "forms/ui/editor_geometry.h"
#include "forms/ui/ts_memo.h"

ed_mark_editor::ed_mark_editor(my_editor& parent, const my_markedit& description, int dx, int dy,
                               const QString& substitutions)
    : FieldEditor(parent, ApplySubstitutions(description.fieldName, substitutions))
{
    Raise(FormEvent::Announce, FieldName());
    auto* memo = new TSMemo(Container());
    memo->setFont(EditorFont(*Container(), true));
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->UseSpecification(ParseMarkerSpecification(description.markers));
    QRect geometry = TallGeometry(description, dx, dy);
    // No height means one line that never wraps.
    if (geometry.height() <= 0) {
        memo->setLineWrapMode(QTextEdit::NoWrap);
        geometry.setHeight(memo->OneLineHeight());
    }
    Adopt(memo, geometry);
    QObject::connect(memo, &TSMemo::StoredTextChanged, this, [this] { TextChanged(); });
}

TSMemo* ed_mark_editor::Memo() const
{
    return static_cast<TSMemo*>(Control());
}

void ed_mark_editor::ShowValue()
{
    Memo()->SetText(Record().Value(FieldName()));
}

void ed_mark_editor::StoreValue()
{
    Store(RemoveControlCharacters(Memo()->StoredText()));
}

int ed_mark_editor::CaretPosition() const
{
    return Memo()->StoredSelectionStart();
}

void ed_mark_editor::MoveCaret(int position)
{
    Memo()->SetCaret(position);
}

void ed_mark_editor::TextChanged()
{
    const QString stored = Memo()->StoredText();
    if (stored == Record().Value(FieldName()))
        return;
    Store(stored);
    Raise(FormEvent::Change, FieldName());
}
