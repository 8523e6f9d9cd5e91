#include "forms/ui/ts_memo.h"

#include "forms/ui/marker_menu.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QScopedValueRollback>
#include <QTextBlock>
#include <QTextDocument>

namespace {

std::optional<MarkerText::Snap> MovementSnap(int key)
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Home:
    case Qt::Key_PageUp:
        return MarkerText::Snap::ToStart;
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_End:
    case Qt::Key_PageDown:
        return MarkerText::Snap::ToEnd;
    default:
        return std::nullopt;
    }
}

// The function keys that still reach the control: F7 and F9 do not.
bool PassedFunctionKey(int key)
{
    return (key >= Qt::Key_F1 && key <= Qt::Key_F6) || key == Qt::Key_F8 ||
           (key >= Qt::Key_F10 && key <= Qt::Key_F12);
}

} // namespace

TSMemo::TSMemo(QWidget* parent) : TLRichEdit(parent)
{
    setLineWrapMode(QTextEdit::WidgetWidth);
    setAcceptDrops(false);
    SetAcceptsLineBreaks(false);
    m_markerFormat.setForeground(QColor(Qt::red));
    m_markerFormat.setFontWeight(QFont::Bold);
    connect(this, &QTextEdit::cursorPositionChanged, this, &TSMemo::OnCursorMoved);
    connect(this, &QTextEdit::selectionChanged, this, &TSMemo::OnCursorMoved);
    connect(document(), &QTextDocument::contentsChanged, this, &TSMemo::OnDocumentChanged);
}

void TSMemo::SetText(const QString& stored)
{
    m_text.SetStoredText(stored);
    document()->setUndoRedoEnabled(false);
    ShowAll();
    document()->setUndoRedoEnabled(true);
    Q_EMIT StoredTextChanged();
}

bool TSMemo::RegisterMarker(QChar code, const QString& display, bool repeatable,
                            const QString& description)
{
    return m_text.RegisterMarker(code.unicode(), display, repeatable, description);
}

void TSMemo::UseSpecification(const MarkerSpecification& specification)
{
    m_text.UseSpecification(specification);
    ShowAll();
}

void TSMemo::SetCaret(int storedIndex)
{
    m_text.SetStoredCaret(storedIndex);
    ShowSelection();
}

void TSMemo::ShowAll()
{
    const QScopedValueRollback<bool> showing(m_showing, true);
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    for (const MarkerText::Run& run : m_text.DisplayRuns())
        cursor.insertText(run.text, run.marker ? m_markerFormat : m_normalFormat);
    cursor.endEditBlock();
    ShowSelection();
}

void TSMemo::ShowSelection()
{
    const QScopedValueRollback<bool> showing(m_showing, true);
    QTextCursor cursor = textCursor();
    cursor.setPosition(m_text.DisplayAnchor());
    cursor.setPosition(m_text.DisplayCaret(), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

void TSMemo::Apply(const std::optional<MarkerText::Change>& change)
{
    if (!change)
        return;
    {
        const QScopedValueRollback<bool> showing(m_showing, true);
        QTextCursor cursor(document());
        cursor.beginEditBlock();
        cursor.setPosition(change->position);
        cursor.setPosition(change->position + change->removed, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        for (const MarkerText::Run& run : change->inserted)
            cursor.insertText(run.text, run.marker ? m_markerFormat : m_normalFormat);
        cursor.endEditBlock();
        ShowSelection();
    }
    Q_EMIT StoredTextChanged();
}

void TSMemo::OnCursorMoved()
{
    if (m_showing)
        return;
    const QTextCursor cursor = textCursor();
    m_text.Select(cursor.anchor(), cursor.position(), m_snap);
    if (m_text.DisplayAnchor() != cursor.anchor() || m_text.DisplayCaret() != cursor.position())
        ShowSelection();
}

std::vector<MarkerText::Run> TSMemo::ShownRuns() const
{
    std::vector<MarkerText::Run> runs;
    const QColor normal = palette().color(QPalette::Text);
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block != document()->begin())
            MarkerText::AppendColoured(runs, QStringLiteral("\n"), false);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            const bool coloured = format.hasProperty(QTextFormat::ForegroundBrush) &&
                                  format.foreground().color() != normal;
            MarkerText::AppendColoured(runs, it.fragment().text(), coloured);
        }
    }
    return runs;
}

// Only an undo changes the display behind the model's back: the text is
// then read back from the colours, and shown anew where what the memo
// showed was no text of markers.
void TSMemo::OnDocumentChanged()
{
    if (m_showing)
        return;
    const std::vector<MarkerText::Run> shown = ShownRuns();
    m_text.RebuildFromDisplay(shown);
    if (m_text.ColouredRuns() != shown) {
        const QTextCursor cursor = textCursor();
        ShowAll();
        m_text.Select(cursor.anchor(), cursor.position(), MarkerText::Snap::Outward);
        ShowSelection();
    } else {
        OnCursorMoved();
    }
    Q_EMIT StoredTextChanged();
}

void TSMemo::Type(const QString& text)
{
    for (const QChar typed : text) {
        if (m_text.OpensMarkerMenu(typed))
            ShowMarkerMenu();
        else
            Apply(m_text.TypeChar(typed));
    }
}

void TSMemo::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    if (HandleEditingKey(*event))
        return;
    const int key = event->key();
    if (const std::optional<MarkerText::Snap> snap = MovementSnap(key)) {
        const QScopedValueRollback<MarkerText::Snap> direction(m_snap, *snap);
        QTextEdit::keyPressEvent(event);
        return;
    }
    if (PassedFunctionKey(key)) {
        QTextEdit::keyPressEvent(event);
        return;
    }
    if (!IsEditable())
        return;
    if (key == Qt::Key_Delete)
        Apply(m_text.DeleteForward());
    else if (key == Qt::Key_Backspace)
        Apply(m_text.DeleteBackward());
    else if (!(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        Type(event->text());
}

void TSMemo::keyReleaseEvent(QKeyEvent* event)
{
    event->accept();
}

void TSMemo::focusInEvent(QFocusEvent* event)
{
    TLRichEdit::focusInEvent(event);
    Q_EMIT FocusGained();
}

void TSMemo::inputMethodEvent(QInputMethodEvent* event)
{
    if (IsEditable())
        Type(event->commitString());
    event->accept();
}

QMimeData* TSMemo::createMimeDataFromSelection() const
{
    auto* selection = new QMimeData;
    selection->setText(m_text.SelectedStoredText());
    return selection;
}

void TSMemo::insertFromMimeData(const QMimeData* source)
{
    if (IsEditable() && source->hasText())
        Apply(m_text.Paste(source->text()));
}

void TSMemo::CutSelection()
{
    if (!IsEditable() || !m_text.HasSelection())
        return;
    CopySelection();
    Apply(m_text.DeleteSelection());
}

void TSMemo::DeleteSelection()
{
    if (IsEditable())
        Apply(m_text.DeleteSelection());
}

void TSMemo::ShowMarkerMenu()
{
    if (m_text.Markers().empty())
        return;
    if (m_markerMenu == nullptr)
        m_markerMenu = new MarkerMenu(this);
    QStringList captions;
    for (int i = 0; i < static_cast<int>(m_text.Markers().size()); ++i)
        captions << m_text.MenuCaption(i);
    m_markerMenu->SetItems(captions, MarkerText::kMenuRows,
                           [this](int index) { Apply(m_text.InsertMarker(index)); });
    m_markerMenu->popup(mapToGlobal(QPoint(0, 0)));
}
