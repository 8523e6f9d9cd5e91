#pragma once

#include "forms/marker_specification.h"
#include "forms/tsequence.h"

#include <QHash>
#include <QString>

#include <optional>
#include <vector>

// The text of a marker memo in its two forms, and every edit the memo
// offers. Stored form: ordinary characters as they are, a marker as the
// marker character and its code, a doubled marker character for one literal
// marker character. Display form: ordinary characters, and each marker as
// its definition's display text, which the memo draws in the marker font and
// treats as one character. The memo shows what this model says and forwards
// every key, mouse selection and clipboard operation to it.
//
// Positions called "display" count characters of the display form; the
// selection always lies on marker boundaries.
class MarkerText
{
public:
    // A stretch of the display in one font: ordinary characters, or the
    // display text of one marker.
    struct Run
    {
        QString text;
        bool marker = false;
        bool operator==(const Run& other) const
        {
            return marker == other.marker && text == other.text;
        }
    };
    // What an edit did to the display: `removed` characters from `position`
    // gave way to `inserted`. The caret then stands after the insertion.
    struct Change
    {
        int position = 0;
        int removed = 0;
        std::vector<Run> inserted;
    };
    // Where a position inside a marker's display text goes: to its start
    // (movement left, up, Home, Page Up), to its end (right, down, End, Page
    // Down), or, for the mouse, so that a selection widens over the marker
    // and a caret goes to the nearer side.
    enum class Snap
    {
        ToStart,
        ToEnd,
        Outward
    };

    // Items the marker menu shows in one column.
    static constexpr int kMenuRows = 10;

    QChar MarkerChar() const { return QChar(m_markerChar); }
    // Markers whose code is the new marker character can no longer be told
    // from a doubled marker character, so they leave the text.
    void SetMarkerChar(QChar markerChar);
    // Appends a definition. Refused (false) when the display text is empty or
    // already shows another code, since the marker could then not be read
    // back from the display.
    bool RegisterMarker(char16_t code, const QString& display, bool repeatable,
                        const QString& description);
    void UseSpecification(const MarkerSpecification& specification);
    const std::vector<TSequence>& Markers() const { return m_markers; }
    // The marker menu's caption of a definition: marker character, "&", code,
    // " :", description; the code is the item's accelerator.
    QString MenuCaption(int definition) const;
    // Typing the marker character asks for the marker menu instead of
    // inserting it.
    bool OpensMarkerMenu(QChar typed) const { return typed.unicode() == m_markerChar; }

    // Loads a stored text; markers without a definition are dropped. The
    // caret goes to the start.
    void SetStoredText(const QString& stored);
    QString StoredText() const;
    QString DisplayText() const;
    std::vector<Run> DisplayRuns() const;
    // The display as colours show it: neighbouring markers in one run.
    std::vector<Run> ColouredRuns() const;
    // Adds text of one colour to runs read from a display, joining it to the
    // last run when that has the same colour.
    static void AppendColoured(std::vector<Run>& runs, const QString& text, bool marker);
    int DisplayLength() const;
    // The display with each marker in square brackets, for reading.
    QString BracketedDisplay() const;

    // The stored text that a display of these runs stands for: ordinary
    // characters as they are (a literal marker character doubled), each
    // marker run split into display texts of definitions, which become
    // marker character and code; what matches none is kept as marker
    // character and the rest of the run.
    QString RebuildStored(const std::vector<Run>& runs) const;
    // Takes the text back from a display changed outside the model (the
    // memo's undo); the caret goes to the start.
    void RebuildFromDisplay(const std::vector<Run>& runs);

    void Select(int anchor, int position, Snap snap);
    int DisplayAnchor() const { return DisplayOffset(m_anchor); }
    int DisplayCaret() const { return DisplayOffset(m_caret); }
    bool HasSelection() const { return m_anchor != m_caret; }
    int StoredSelectionStart() const;
    int StoredSelectionLength() const;
    // A collapsed caret at the display position of a stored index; an index
    // inside a marker goes to the marker's start.
    void SetStoredCaret(int index);
    QString SelectedStoredText() const;

    // Each edit replaces the selection; none when nothing changed. Typed
    // characters below 32, DEL and the marker character insert nothing.
    std::optional<Change> TypeChar(QChar typed);
    // A marker of a non-repeatable definition goes in only while the text
    // outside the selection does not hold it.
    std::optional<Change> InsertMarker(int definition);
    std::optional<Change> DeleteSelection();
    // Without a selection: the character or whole marker after the caret,
    // or before it.
    std::optional<Change> DeleteForward();
    std::optional<Change> DeleteBackward();
    // Clipboard text: marker character and a defined code become a marker
    // (when it may be inserted), a doubled marker character one literal,
    // line feeds spaces; carriage returns are dropped.
    std::optional<Change> Paste(const QString& text);

private:
    // One character of the display: an ordinary character, or a marker with
    // its code and the index of the definition that shows it.
    struct Piece
    {
        char16_t ch;
        int definition;
    };
    struct Location
    {
        int piece;
        int inside;
    };

    int DefinitionOf(char16_t code) const;
    int Width(const Piece& piece) const;
    int StoredWidth(const Piece& piece) const;
    int DisplayOffset(int piece) const;
    int StoredOffset(int piece) const;
    Location Locate(int display) const;
    int Boundary(int display, bool toEnd) const;
    void AppendStored(const Piece& piece, QString& out) const;
    std::vector<Run> RunsOf(int from, int to) const;
    bool HoldsOutsideSelection(char16_t code) const;
    int SelectionStart() const { return std::min(m_anchor, m_caret); }
    int SelectionEnd() const { return std::max(m_anchor, m_caret); }
    std::optional<Change> ReplaceSelection(const std::vector<Piece>& pieces);

    std::vector<TSequence> m_markers;
    QHash<char16_t, int> m_byCode;
    QHash<QString, int> m_byDisplay;
    int m_longestDisplay = 0;
    char16_t m_markerChar = u'^';
    std::vector<Piece> m_pieces;
    int m_anchor = 0;
    int m_caret = 0;
    // The stored text is read after every change and rebuilt only then.
    mutable QString m_stored;
    mutable bool m_storedValid = true;
};
