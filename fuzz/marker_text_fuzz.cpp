// The marker memo's text under any MARKERS mask, stored text and run of
// edits. After every edit the stored text must be what its display reads
// back as (marker by marker and as the memo's colours join them), the
// changes the memo is told about must turn its old display into the new
// one, and the stored text must load back unchanged.
//
// Input: the mask, a zero byte, the stored text, a zero byte, the edits
// (both texts as Latin-1).
#include "forms/marker_specification.h"
#include "forms/marker_text.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

class Script
{
public:
    explicit Script(const QByteArray& bytes) : m_bytes(bytes) {}
    bool AtEnd() const { return m_at >= m_bytes.size(); }
    int Next() { return AtEnd() ? 0 : static_cast<unsigned char>(m_bytes[m_at++]); }
    QString Text(int length)
    {
        const QByteArray part = m_bytes.mid(m_at, length);
        m_at += part.size();
        return QString::fromLatin1(part);
    }

private:
    QByteArray m_bytes;
    qsizetype m_at = 0;
};

// The display as the memo holds it: characters and whether each is drawn
// in the marker font.
struct Shown
{
    QString text;
    std::vector<bool> marker;

    void Replace(int position, const std::vector<MarkerText::Run>& runs, int removed)
    {
        if (position < 0 || removed < 0 || position + removed > text.size())
            std::abort();
        text.remove(position, removed);
        marker.erase(marker.begin() + position, marker.begin() + position + removed);
        for (const MarkerText::Run& run : runs) {
            text.insert(position, run.text);
            marker.insert(marker.begin() + position, static_cast<size_t>(run.text.size()),
                          run.marker);
            position += static_cast<int>(run.text.size());
        }
    }
};

Shown ShowAll(const MarkerText& memo)
{
    Shown shown;
    shown.Replace(0, memo.DisplayRuns(), 0);
    return shown;
}

void Check(const MarkerText& memo, const Shown& shown)
{
    const QString stored = memo.StoredText();
    if (memo.RebuildStored(memo.DisplayRuns()) != stored)
        std::abort();
    // Markers from a mask show as their single code letter, so even joined
    // runs read back exactly.
    if (memo.RebuildStored(memo.ColouredRuns()) != stored)
        std::abort();
    const Shown expected = ShowAll(memo);
    if (expected.text != shown.text || expected.marker != shown.marker)
        std::abort();
    const int length = memo.DisplayLength();
    if (length != shown.text.size() || memo.DisplayCaret() < 0 || memo.DisplayCaret() > length ||
        memo.DisplayAnchor() < 0 || memo.DisplayAnchor() > length)
        std::abort();
    if (memo.StoredSelectionStart() < 0 ||
        memo.StoredSelectionStart() + memo.StoredSelectionLength() > stored.size())
        std::abort();
    MarkerText reloaded = memo;
    reloaded.SetStoredText(stored);
    if (reloaded.StoredText() != stored)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QList<QByteArray> parts = input.split('\0');
    MarkerText memo;
    memo.UseSpecification(ParseMarkerSpecification(QString::fromLatin1(parts.value(0))));
    memo.SetStoredText(QString::fromLatin1(parts.value(1)));
    Shown shown = ShowAll(memo);
    Check(memo, shown);

    Script script(parts.mid(2).join('\0'));
    QString clipboard;
    const int markers = static_cast<int>(memo.Markers().size());
    while (!script.AtEnd()) {
        std::optional<MarkerText::Change> change;
        const int op = script.Next() % 10;
        if (op == 0) {
            const int anchor = script.Next() - 8;
            const int position = script.Next() - 8;
            memo.Select(anchor, position, static_cast<MarkerText::Snap>(script.Next() % 3));
        } else if (op == 1) {
            change = memo.TypeChar(QChar(static_cast<char16_t>(script.Next())));
        } else if (op == 2) {
            change = memo.InsertMarker(script.Next() % (markers + 2) - 1);
        } else if (op == 3) {
            change = memo.DeleteForward();
        } else if (op == 4) {
            change = memo.DeleteBackward();
        } else if (op == 5) {
            clipboard = memo.SelectedStoredText();
            change = memo.DeleteSelection();
        } else if (op == 6) {
            change = memo.Paste(clipboard);
        } else if (op == 7) {
            change = memo.Paste(script.Text(script.Next() % 8));
        } else if (op == 8) {
            memo.SetStoredCaret(script.Next() - 8);
        } else {
            // What the memo does after an undo: read the text back from
            // the colours it shows.
            memo.RebuildFromDisplay(memo.ColouredRuns());
            shown = ShowAll(memo);
        }
        if (change)
            shown.Replace(change->position, change->inserted, change->removed);
        Check(memo, shown);
    }
    return 0;
}
