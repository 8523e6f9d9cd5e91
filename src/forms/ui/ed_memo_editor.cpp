#include "forms/ui/ed_memo_editor.h"

#include "forms/form_descriptions.h"
#include "forms/form_record.h"
#include "forms/form_substitutions.h"
#include "forms/form_value_formats.h"
#include "forms/ui/editor_geometry.h"
#include "forms/ui/tl_rich_edit.h"

#include <QTextCursor>

ed_memo_editor::ed_memo_editor(my_editor& parent, const my_memo& description, int dx, int dy,
                               const QString& substitutions)
    : FieldEditor(parent, ApplySubstitutions(description.fieldName, substitutions)),
      m_maxLength(description.maxLength), m_multiLine(description.multiLine)
{
    Raise(FormEvent::Announce, FieldName());
    auto* memo = new TLRichEdit(Container());
    memo->setFont(EditorFont(*Container(), true));
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setAcceptRichText(false);
    memo->SetAcceptsLineBreaks(m_multiLine);
    Adopt(memo, TallGeometry(description, dx, dy));
    QObject::connect(memo, &QTextEdit::textChanged, this, [this] { TextChanged(); });
}

TLRichEdit* ed_memo_editor::Memo() const
{
    return static_cast<TLRichEdit*>(Control());
}

void ed_memo_editor::ShowValue()
{
    TLRichEdit* memo = Memo();
    m_showing = true;
    memo->setPlainText(MemoStoredToText(Record().Value(FieldName()), QStringLiteral("\n")));
    memo->document()->clearUndoRedoStacks();
    m_showing = false;
}

void ed_memo_editor::StoreValue()
{
    const QString text = Memo()->toPlainText();
    Store(m_multiLine ? MemoTextToStored(text) : RemoveControlCharacters(text));
}

int ed_memo_editor::CaretPosition() const
{
    return Memo()->textCursor().position();
}

void ed_memo_editor::MoveCaret(int position)
{
    TLRichEdit* memo = Memo();
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(std::clamp(position, 0, int(memo->toPlainText().size())));
    memo->setTextCursor(cursor);
}

// Text past LIMIT is taken off where it was just typed or pasted, before
// the caret; whatever is still over goes from the end.
void ed_memo_editor::TextChanged()
{
    if (m_showing)
        return;
    TLRichEdit* memo = Memo();
    const QString text = memo->toPlainText();
    const int excess = int(text.size()) - m_maxLength;
    if (m_maxLength > 0 && excess > 0) {
        QTextCursor cursor = memo->textCursor();
        const int before = std::min(excess, cursor.position());
        cursor.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, before);
        cursor.removeSelectedText();
        if (excess > before) {
            cursor.movePosition(QTextCursor::End);
            cursor.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, excess - before);
            cursor.removeSelectedText();
        }
        return; // the removal changed the text again and stored it
    }
    Store(m_multiLine ? MemoTextToStored(text) : text);
    Raise(FormEvent::Change, FieldName());
}
