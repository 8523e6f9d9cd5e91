#include "forms/ui/ed_text.h"

#include "forms/form_descriptions.h"
#include "forms/form_substitutions.h"
#include "forms/text_content.h"
#include "forms/ui/editor_geometry.h"
#include "forms/ui/tl_rich_edit.h"

#include <QTextCursor>

ed_text::ed_text(my_editor& parent, const my_text& description, int dx, int dy,
                 const QString& substitutions)
    : FieldEditor(parent, ApplySubstitutions(description.fieldName, substitutions))
{
    auto* memo = new TLRichEdit(Container());
    memo->setFont(EditorFont(*Container(), false));
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->SetAcceptsLineBreaks(false);
    Adopt(memo, TallGeometry(description, dx, dy));
}

TLRichEdit* ed_text::Memo() const
{
    return static_cast<TLRichEdit*>(Control());
}

void ed_text::ShowValue()
{
    TLRichEdit* memo = Memo();
    const TextContent content =
        ParseTextContent(Raise(FormEvent::Announce, FieldName()).value_or(QStringList()));
    memo->clear();
    QPalette palette = memo->palette();
    palette.setColor(QPalette::Base,
                     content.background ? QColor(*content.background) : QColor(Qt::white));
    memo->setPalette(palette);
    QTextCursor cursor(memo->document());
    for (const TextContentRun& run : content.runs) {
        if (run.newParagraph)
            cursor.insertBlock();
        QTextCharFormat format;
        format.setForeground(QColor(run.colour));
        format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(run.italic);
        cursor.insertText(run.text, format);
    }
    memo->document()->clearUndoRedoStacks();
}
