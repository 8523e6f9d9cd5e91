#include "forms/marker_text.h"

#include <QSet>

#include <algorithm>

namespace {

constexpr char16_t kLineFeed = u'\n';
constexpr char16_t kCarriageReturn = u'\r';
constexpr char16_t kDelete = 127;

bool Typeable(char16_t ch)
{
    return ch >= 32 && ch != kDelete;
}

} // namespace

void MarkerText::SetMarkerChar(QChar markerChar)
{
    if (markerChar.unicode() == m_markerChar)
        return;
    m_markerChar = markerChar.unicode();
    const auto unreadable = [this](const Piece& piece) {
        return piece.definition >= 0 && piece.ch == m_markerChar;
    };
    m_pieces.erase(std::remove_if(m_pieces.begin(), m_pieces.end(), unreadable), m_pieces.end());
    m_anchor = m_caret = 0;
    m_storedValid = false;
}

bool MarkerText::RegisterMarker(char16_t code, const QString& display, bool repeatable,
                                const QString& description)
{
    const int shown = m_byDisplay.value(display, -1);
    if (display.isEmpty() || (shown >= 0 && m_markers[static_cast<size_t>(shown)].code != code))
        return false;
    const int index = static_cast<int>(m_markers.size());
    m_markers.push_back(TSequence{code, display, description, repeatable});
    // The first definition of a code is the one that shows it.
    if (!m_byCode.contains(code))
        m_byCode.insert(code, index);
    if (shown < 0)
        m_byDisplay.insert(display, index);
    m_longestDisplay = std::max(m_longestDisplay, static_cast<int>(display.size()));
    return true;
}

void MarkerText::UseSpecification(const MarkerSpecification& specification)
{
    SetMarkerChar(specification.markerChar);
    for (const TSequence& marker : specification.markers)
        RegisterMarker(marker.code, marker.display, marker.repeatable, marker.description);
}

QString MarkerText::MenuCaption(int definition) const
{
    const TSequence& marker = m_markers.at(static_cast<size_t>(definition));
    // A literal "&" in the caption is written doubled so that the code stays
    // the one accelerator.
    const auto literal = [](QString text) { return text.replace(u'&', QStringLiteral("&&")); };
    return literal(MarkerChar()) + u'&' + QChar(marker.code) + QStringLiteral(" :") +
           literal(marker.description);
}

int MarkerText::DefinitionOf(char16_t code) const
{
    return code == m_markerChar ? -1 : m_byCode.value(code, -1);
}

int MarkerText::Width(const Piece& piece) const
{
    return piece.definition < 0
               ? 1
               : static_cast<int>(m_markers[static_cast<size_t>(piece.definition)].display.size());
}

int MarkerText::StoredWidth(const Piece& piece) const
{
    return piece.definition >= 0 || piece.ch == m_markerChar ? 2 : 1;
}

void MarkerText::AppendStored(const Piece& piece, QString& out) const
{
    if (piece.definition >= 0 || piece.ch == m_markerChar)
        out += QChar(m_markerChar);
    out += QChar(piece.ch);
}

void MarkerText::SetStoredText(const QString& stored)
{
    m_pieces.clear();
    m_pieces.reserve(static_cast<size_t>(stored.size()));
    for (qsizetype i = 0; i < stored.size(); ++i) {
        const char16_t ch = stored[i].unicode();
        // A marker character at the very end has no code to lose: it stays
        // as the character it is.
        if (ch != m_markerChar || i + 1 == stored.size()) {
            m_pieces.push_back(Piece{ch, -1});
            continue;
        }
        const char16_t code = stored[++i].unicode();
        if (code == m_markerChar)
            m_pieces.push_back(Piece{code, -1});
        else if (const int definition = DefinitionOf(code); definition >= 0)
            m_pieces.push_back(Piece{code, definition});
    }
    m_anchor = m_caret = 0;
    m_storedValid = false;
}

QString MarkerText::StoredText() const
{
    if (!m_storedValid) {
        m_stored.clear();
        m_stored.reserve(static_cast<qsizetype>(m_pieces.size()) + 16);
        for (const Piece& piece : m_pieces)
            AppendStored(piece, m_stored);
        m_storedValid = true;
    }
    return m_stored;
}

std::vector<MarkerText::Run> MarkerText::RunsOf(int from, int to) const
{
    std::vector<Run> runs;
    for (int i = from; i < to; ++i) {
        const Piece& piece = m_pieces[static_cast<size_t>(i)];
        if (piece.definition >= 0) {
            runs.push_back(Run{m_markers[static_cast<size_t>(piece.definition)].display, true});
            continue;
        }
        if (runs.empty() || runs.back().marker)
            runs.push_back(Run{QString(), false});
        runs.back().text += QChar(piece.ch);
    }
    return runs;
}

std::vector<MarkerText::Run> MarkerText::DisplayRuns() const
{
    return RunsOf(0, static_cast<int>(m_pieces.size()));
}

std::vector<MarkerText::Run> MarkerText::ColouredRuns() const
{
    std::vector<Run> runs;
    for (const Run& run : DisplayRuns())
        AppendColoured(runs, run.text, run.marker);
    return runs;
}

void MarkerText::AppendColoured(std::vector<Run>& runs, const QString& text, bool marker)
{
    if (runs.empty() || runs.back().marker != marker)
        runs.push_back(Run{QString(), marker});
    runs.back().text += text;
}

QString MarkerText::DisplayText() const
{
    QString text;
    for (const Run& run : DisplayRuns())
        text += run.text;
    return text;
}

int MarkerText::DisplayLength() const
{
    return DisplayOffset(static_cast<int>(m_pieces.size()));
}

QString MarkerText::BracketedDisplay() const
{
    QString text;
    for (const Run& run : DisplayRuns())
        text += run.marker ? u'[' + run.text + u']' : run.text;
    return text;
}

QString MarkerText::RebuildStored(const std::vector<Run>& runs) const
{
    QString stored;
    const QChar markerChar(m_markerChar);
    for (const Run& run : runs) {
        if (!run.marker) {
            for (const QChar ch : run.text)
                stored += ch == markerChar ? QString(2, markerChar) : QString(ch);
            continue;
        }
        // Markers next to each other may reach us as one run; the longest
        // display text that fits is taken first.
        qsizetype at = 0;
        while (at < run.text.size()) {
            int found = -1;
            qsizetype length = std::min<qsizetype>(m_longestDisplay, run.text.size() - at);
            for (; length > 0 && found < 0; --length) {
                const int definition = m_byDisplay.value(run.text.mid(at, length), -1);
                if (definition >= 0 &&
                    DefinitionOf(m_markers[static_cast<size_t>(definition)].code) >= 0)
                    found = definition;
            }
            if (found < 0) {
                stored += markerChar + run.text.mid(at);
                break;
            }
            stored += markerChar;
            stored += QChar(m_markers[static_cast<size_t>(found)].code);
            at += m_markers[static_cast<size_t>(found)].display.size();
        }
    }
    return stored;
}

void MarkerText::RebuildFromDisplay(const std::vector<Run>& runs)
{
    SetStoredText(RebuildStored(runs));
}

int MarkerText::DisplayOffset(int piece) const
{
    int offset = 0;
    for (int i = 0; i < piece; ++i)
        offset += Width(m_pieces[static_cast<size_t>(i)]);
    return offset;
}

int MarkerText::StoredOffset(int piece) const
{
    int offset = 0;
    for (int i = 0; i < piece; ++i)
        offset += StoredWidth(m_pieces[static_cast<size_t>(i)]);
    return offset;
}

MarkerText::Location MarkerText::Locate(int display) const
{
    int offset = 0;
    const int count = static_cast<int>(m_pieces.size());
    for (int i = 0; i < count; ++i) {
        if (display <= offset)
            return {i, 0};
        const int width = Width(m_pieces[static_cast<size_t>(i)]);
        if (display < offset + width)
            return {i, display - offset};
        offset += width;
    }
    return {count, 0};
}

int MarkerText::Boundary(int display, bool toEnd) const
{
    const Location at = Locate(display);
    return at.inside > 0 && toEnd ? at.piece + 1 : at.piece;
}

void MarkerText::Select(int anchor, int position, Snap snap)
{
    if (snap == Snap::Outward && anchor == position) {
        const Location at = Locate(position);
        const bool nearerEnd =
            at.inside > 0 && 2 * at.inside >= Width(m_pieces[static_cast<size_t>(at.piece)]);
        m_anchor = m_caret = at.piece + (nearerEnd ? 1 : 0);
        return;
    }
    const bool anchorToEnd = snap == Snap::Outward ? anchor > position : snap == Snap::ToEnd;
    const bool caretToEnd = snap == Snap::Outward ? position > anchor : snap == Snap::ToEnd;
    m_anchor = Boundary(anchor, anchorToEnd);
    m_caret = Boundary(position, caretToEnd);
}

int MarkerText::StoredSelectionStart() const
{
    return StoredOffset(SelectionStart());
}

int MarkerText::StoredSelectionLength() const
{
    return StoredOffset(SelectionEnd()) - StoredOffset(SelectionStart());
}

void MarkerText::SetStoredCaret(int index)
{
    int offset = 0;
    int piece = 0;
    const int count = static_cast<int>(m_pieces.size());
    while (piece < count) {
        offset += StoredWidth(m_pieces[static_cast<size_t>(piece)]);
        if (offset > index)
            break;
        ++piece;
    }
    m_anchor = m_caret = piece;
}

QString MarkerText::SelectedStoredText() const
{
    QString text;
    for (int i = SelectionStart(); i < SelectionEnd(); ++i)
        AppendStored(m_pieces[static_cast<size_t>(i)], text);
    return text;
}

std::optional<MarkerText::Change> MarkerText::ReplaceSelection(const std::vector<Piece>& pieces)
{
    const int from = SelectionStart();
    const int to = SelectionEnd();
    if (from == to && pieces.empty())
        return std::nullopt;
    Change change;
    change.position = DisplayOffset(from);
    for (int i = from; i < to; ++i)
        change.removed += Width(m_pieces[static_cast<size_t>(i)]);
    const auto first = m_pieces.begin() + from;
    m_pieces.insert(m_pieces.erase(first, m_pieces.begin() + to), pieces.begin(), pieces.end());
    m_anchor = m_caret = from + static_cast<int>(pieces.size());
    change.inserted = RunsOf(from, m_caret);
    m_storedValid = false;
    return change;
}

std::optional<MarkerText::Change> MarkerText::TypeChar(QChar typed)
{
    const char16_t ch = typed.unicode();
    if (!Typeable(ch) || ch == m_markerChar)
        return std::nullopt;
    return ReplaceSelection({Piece{ch, -1}});
}

bool MarkerText::HoldsOutsideSelection(char16_t code) const
{
    const auto holds = [code](const Piece& piece) {
        return piece.definition >= 0 && piece.ch == code;
    };
    const auto begin = m_pieces.begin();
    return std::any_of(begin, begin + SelectionStart(), holds) ||
           std::any_of(begin + SelectionEnd(), m_pieces.end(), holds);
}

std::optional<MarkerText::Change> MarkerText::InsertMarker(int definition)
{
    if (definition < 0 || definition >= static_cast<int>(m_markers.size()))
        return std::nullopt;
    const TSequence& marker = m_markers[static_cast<size_t>(definition)];
    const int shown = DefinitionOf(marker.code);
    if (shown < 0 || (!marker.repeatable && HoldsOutsideSelection(marker.code)))
        return std::nullopt;
    return ReplaceSelection({Piece{marker.code, shown}});
}

std::optional<MarkerText::Change> MarkerText::DeleteSelection()
{
    return HasSelection() ? ReplaceSelection({}) : std::nullopt;
}

std::optional<MarkerText::Change> MarkerText::DeleteForward()
{
    if (!HasSelection() && m_caret < static_cast<int>(m_pieces.size()))
        ++m_anchor;
    return DeleteSelection();
}

std::optional<MarkerText::Change> MarkerText::DeleteBackward()
{
    if (!HasSelection() && m_caret > 0)
        --m_anchor;
    return DeleteSelection();
}

std::optional<MarkerText::Change> MarkerText::Paste(const QString& text)
{
    // Non-repeatable markers already in the text, or pasted before, may not
    // come again.
    QSet<char16_t> held;
    for (int i = 0; i < static_cast<int>(m_pieces.size()); ++i) {
        const Piece& piece = m_pieces[static_cast<size_t>(i)];
        if (piece.definition >= 0 && (i < SelectionStart() || i >= SelectionEnd()))
            held.insert(piece.ch);
    }
    std::vector<Piece> pieces;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t ch = text[i].unicode();
        const bool hasNext = i + 1 < text.size();
        const char16_t next = hasNext ? text[i + 1].unicode() : 0;
        const int definition = ch == m_markerChar && hasNext ? DefinitionOf(next) : -1;
        if (definition >= 0) {
            ++i;
            if (m_markers[static_cast<size_t>(definition)].repeatable || !held.contains(next)) {
                pieces.push_back(Piece{next, definition});
                held.insert(next);
            }
        } else if (ch == m_markerChar && next == m_markerChar) {
            ++i;
            pieces.push_back(Piece{ch, -1});
        } else if (ch == kLineFeed) {
            pieces.push_back(Piece{u' ', -1});
        } else if (ch != kCarriageReturn) {
            pieces.push_back(Piece{ch, -1});
        }
    }
    return ReplaceSelection(pieces);
}
