#pragma once

#include "forms/marker_text.h"
#include "forms/ui/tl_rich_edit.h"

#include <QTextCharFormat>

#include <optional>
#include <vector>

class MarkerMenu;

// The marker memo of the MARKERS fields: shows a MarkerText, ordinary
// characters in its font and markers in red bold, and forwards every key,
// selection and clipboard operation to it. Typing the marker character opens
// the menu of markers at the memo's top left corner.
class TSMemo : public TLRichEdit
{
    Q_OBJECT
public:
    explicit TSMemo(QWidget* parent = nullptr);

    // Loads a stored text (markers without a definition are dropped); the
    // caret goes to the start and the undo history is cleared.
    void SetText(const QString& stored);
    QString StoredText() const { return m_text.StoredText(); }
    bool RegisterMarker(QChar code, const QString& display, bool repeatable,
                        const QString& description);
    void UseSpecification(const MarkerSpecification& specification);
    QChar MarkerChar() const { return m_text.MarkerChar(); }
    // Moves the caret to the display position of a stored index.
    void SetCaret(int storedIndex);
    int StoredSelectionStart() const { return m_text.StoredSelectionStart(); }
    int StoredSelectionLength() const { return m_text.StoredSelectionLength(); }
    // Made the first time the marker character is typed.
    MarkerMenu* Menu() const { return m_markerMenu; }
    const QTextCharFormat& MarkerFormat() const { return m_markerFormat; }

    void CutSelection() override;
    void DeleteSelection() override;

Q_SIGNALS:
    // After every change of the stored text.
    void StoredTextChanged();
    void FocusGained();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void Type(const QString& text);
    void Apply(const std::optional<MarkerText::Change>& change);
    void ShowAll();
    void ShowSelection();
    void OnCursorMoved();
    void OnDocumentChanged();
    std::vector<MarkerText::Run> ShownRuns() const;
    void ShowMarkerMenu();

    MarkerText m_text;
    QTextCharFormat m_normalFormat;
    QTextCharFormat m_markerFormat;
    // Where a caret or selection end inside a marker goes: set while a
    // movement key is handled, outward for the mouse.
    MarkerText::Snap m_snap = MarkerText::Snap::Outward;
    // Set while the memo changes its own display to match the model, so that
    // the changes are not read back as the operator's.
    bool m_showing = false;
    MarkerMenu* m_markerMenu = nullptr;
};
