#pragma once

#include <QTextEdit>

class QAction;
class QMenu;

// The rich memo of the MEMO and TEXT fields: a text edit with its own
// Polish context menu and shortcuts, that takes only plain text from the
// clipboard and is never lower than one line.
class TLRichEdit : public QTextEdit
{
    Q_OBJECT
public:
    explicit TLRichEdit(QWidget* parent = nullptr);

    // Without line breaks Enter does nothing and pasted line breaks go.
    void SetAcceptsLineBreaks(bool accepts) { m_acceptsLineBreaks = accepts; }
    bool AcceptsLineBreaks() const { return m_acceptsLineBreaks; }
    bool IsEditable() const { return !isReadOnly(); }

    // Built once; shown without waiting for a choice, so a test can look at
    // it and trigger its items.
    QMenu* ContextMenu() const { return m_menu; }
    // Four frame widths, the font's line height and a quarter of the smaller
    // of the font's and the application font's line height.
    int OneLineHeight() const;

    // What the context menu and the shortcuts do. The marker memo does them
    // on its stored text.
    virtual void CutSelection();
    virtual void CopySelection();
    virtual void PasteClipboard();
    virtual void DeleteSelection();
    virtual void UndoLastEdit();
    void SelectWholeText();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    // The shortcuts of both memos and the Enter rule; true when the key was
    // one of them and is done with.
    bool HandleEditingKey(const QKeyEvent& event);

private:
    void UpdateMenu();

    QMenu* m_menu;
    QAction* m_undo;
    QAction* m_cut;
    QAction* m_copy;
    QAction* m_paste;
    QAction* m_delete;
    bool m_acceptsLineBreaks = false;
};
