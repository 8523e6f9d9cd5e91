#include "forms/ui/tl_rich_edit.h"

#include "forms/memo_paste.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>

#include <algorithm>

namespace {

QAction* AddItem(QMenu& menu, const char* name, const char* caption)
{
    QAction* action = menu.addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

bool IsEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

TLRichEdit::TLRichEdit(QWidget* parent) : QTextEdit(parent), m_menu(new QMenu(this))
{
    setAcceptRichText(false);
    setTabChangesFocus(true);
    m_menu->setObjectName(QStringLiteral("TLRichEditMenu"));
    m_undo = AddItem(*m_menu, "Cofnij", "Cofnij");
    m_menu->addSeparator();
    m_cut = AddItem(*m_menu, "Wytnij", "Wytnij");
    m_copy = AddItem(*m_menu, "Kopiuj", "Kopiuj");
    m_paste = AddItem(*m_menu, "Wklej", "Wklej");
    m_delete = AddItem(*m_menu, "Usun", "Usuń");
    m_menu->addSeparator();
    QAction* all = AddItem(*m_menu, "ZaznaczWszystko", "Zaznacz wszystko");
    connect(m_undo, &QAction::triggered, this, &TLRichEdit::UndoLastEdit);
    connect(m_cut, &QAction::triggered, this, &TLRichEdit::CutSelection);
    connect(m_copy, &QAction::triggered, this, &TLRichEdit::CopySelection);
    connect(m_paste, &QAction::triggered, this, &TLRichEdit::PasteClipboard);
    connect(m_delete, &QAction::triggered, this, &TLRichEdit::DeleteSelection);
    connect(all, &QAction::triggered, this, &TLRichEdit::SelectWholeText);
    setMinimumHeight(OneLineHeight());
}

int TLRichEdit::OneLineHeight() const
{
    const int line = fontMetrics().height();
    const int system = QFontMetrics(QApplication::font()).height();
    return 4 * frameWidth() + line + std::min(line, system) / 4;
}

void TLRichEdit::CutSelection()
{
    if (IsEditable())
        cut();
}

void TLRichEdit::CopySelection()
{
    copy();
}

void TLRichEdit::PasteClipboard()
{
    if (IsEditable())
        paste();
}

void TLRichEdit::DeleteSelection()
{
    if (IsEditable())
        textCursor().removeSelectedText();
}

void TLRichEdit::UndoLastEdit()
{
    if (IsEditable())
        undo();
}

void TLRichEdit::SelectWholeText()
{
    selectAll();
}

void TLRichEdit::UpdateMenu()
{
    const bool selected = textCursor().hasSelection();
    m_undo->setEnabled(IsEditable() && document()->isUndoAvailable());
    m_cut->setEnabled(IsEditable() && selected);
    m_copy->setEnabled(selected);
    m_paste->setEnabled(IsEditable());
    m_delete->setEnabled(IsEditable());
}

void TLRichEdit::contextMenuEvent(QContextMenuEvent* event)
{
    UpdateMenu();
    m_menu->popup(event->globalPos());
    event->accept();
}

bool TLRichEdit::HandleEditingKey(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    const int key = event.key();
    const bool control = modifiers == Qt::ControlModifier;
    const bool shift = modifiers == Qt::ShiftModifier;
    if (key == Qt::Key_A || key == Qt::Key_C || key == Qt::Key_V || key == Qt::Key_X) {
        if (!modifiers.testFlag(Qt::ControlModifier))
            return false;
        // With other modifiers besides Ctrl these letters do nothing at all.
        if (control && key == Qt::Key_A)
            SelectWholeText();
        else if (control && key == Qt::Key_C)
            CopySelection();
        else if (control && key == Qt::Key_V)
            PasteClipboard();
        else if (control && key == Qt::Key_X)
            CutSelection();
        return true;
    }
    if (key == Qt::Key_Insert && control)
        CopySelection();
    else if (key == Qt::Key_Insert && shift)
        PasteClipboard();
    else if (key == Qt::Key_Delete && shift)
        CutSelection();
    else
        return IsEnter(key) && !m_acceptsLineBreaks;
    return true;
}

void TLRichEdit::keyPressEvent(QKeyEvent* event)
{
    if (HandleEditingKey(*event))
        event->accept();
    else
        QTextEdit::keyPressEvent(event);
}

void TLRichEdit::changeEvent(QEvent* event)
{
    QTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        setMinimumHeight(OneLineHeight());
}

bool TLRichEdit::canInsertFromMimeData(const QMimeData* source) const
{
    return source->hasText();
}

void TLRichEdit::insertFromMimeData(const QMimeData* source)
{
    if (source->hasText())
        insertPlainText(MemoPasteText(source->text(), m_acceptsLineBreaks));
}
