#include "reports/report_text_placement.h"

#include "reports/report_pixels.h"

#include <QStringView>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

const QString& Ellipsis()
{
    static const QString ellipsis = QStringLiteral("...");
    return ellipsis;
}

int WidthOf(const Surface& surface, QStringView text)
{
    return surface.TextWidth(text.toString());
}

// The longest prefix of `text` no wider than `width`, as a length. Measuring
// costs as much as the text measured, so the prefixes tried grow in doubling
// steps from the start and a wrapped line costs what it can hold, not what
// is left of a long text. A longer piece of text is never narrower than its
// beginning, which is what lets the search skip lengths.
qsizetype FittingLength(const Surface& surface, QStringView text, int width)
{
    const auto fits = [&](qsizetype length) {
        return WidthOf(surface, text.first(length)) <= width;
    };
    qsizetype good = 0;
    qsizetype bad = 0;
    for (qsizetype step = 1;; step *= 2) {
        const qsizetype probe = std::min(step, text.size());
        if (!fits(probe)) {
            bad = probe;
            break;
        }
        good = probe;
        if (probe == text.size())
            return good;
    }
    while (bad - good > 1) {
        const qsizetype middle = good + (bad - good) / 2;
        (fits(middle) ? good : bad) = middle;
    }
    return good;
}

// The lengths at which a word of `text` ends, up to `limit`: what is left
// when the last words are dropped one by one.
std::vector<qsizetype> WordEnds(QStringView text, qsizetype limit)
{
    std::vector<qsizetype> ends;
    for (qsizetype end = 1; end <= limit && end <= text.size(); ++end) {
        if (text.at(end - 1) != u' ' && (end == text.size() || text.at(end) == u' '))
            ends.push_back(end);
    }
    return ends;
}

// The longest of `ends` whose prefix, followed by `suffix`, fits `width`;
// 0 when none does.
qsizetype LongestFitting(const Surface& surface, QStringView text,
                         const std::vector<qsizetype>& ends, const QString& suffix, int width)
{
    qsizetype low = 0;
    auto high = static_cast<qsizetype>(ends.size());
    // ends[0 .. low) fit, ends[high ..] do not.
    while (low < high) {
        const qsizetype middle = low + (high - low) / 2;
        const QString candidate = text.first(ends[static_cast<size_t>(middle)]).toString() + suffix;
        if (surface.TextWidth(candidate) <= width)
            low = middle + 1;
        else
            high = middle;
    }
    return low == 0 ? 0 : ends[static_cast<size_t>(low - 1)];
}

QStringView WithoutLeadingSpaces(QStringView text)
{
    qsizetype start = 0;
    while (start < text.size() && text.at(start) == u' ')
        ++start;
    return text.sliced(start);
}

} // namespace

void ReportTextPlacement::Write(Surface& surface, SurfacePoint at, const QString& text)
{
    surface.SetBrushColor(kWhite);
    surface.TextOut(at, text);
    m_end = {report_pixels::Add(at.x, surface.TextWidth(text)), at.y};
}

void ReportTextPlacement::draw_text_left(Surface& surface, int x, int y, const QString& text)
{
    Write(surface, {x, y}, text);
}

void ReportTextPlacement::draw_text_right(Surface& surface, int x, int y, const QString& text)
{
    Write(surface, {report_pixels::Add(x, -surface.TextWidth(text)), y}, text);
    m_end = {x, y};
}

void ReportTextPlacement::draw_text_centered(Surface& surface, int x, int y, const QString& text,
                                             int box)
{
    const long long width = surface.TextWidth(text);
    // Both halves truncate toward zero, as the layout has always placed them.
    Write(surface, {report_pixels::Clamp(x + (box - width) / 2), y}, text);
    m_end = {report_pixels::Clamp(x + box / 2 + width), y};
}

void ReportTextPlacement::draw_text_wrapped(Surface& surface, int x, int y, const QString& text,
                                            int boxHeight, int boxWidth)
{
    const int lineHeight = std::abs(surface.Font().height);
    long long remaining = boxHeight;
    QStringView rest(text);
    for (;;) {
        remaining -= lineHeight;
        const qsizetype fitting = FittingLength(surface, rest, boxWidth);
        // Every line but the last takes at least one character, so an empty
        // rest always ends the text, whatever the box and the font.
        if (rest.isEmpty() || fitting == rest.size()) {
            Write(surface, {x, y}, rest.toString());
            return;
        }
        // A text wider than the box is cut before a word that fits, and the
        // last line says with "..." that the text goes on.
        const std::vector<qsizetype> ends = WordEnds(rest, fitting);
        if (remaining < lineHeight) {
            const qsizetype length = LongestFitting(surface, rest, ends, Ellipsis(), boxWidth);
            Write(surface, {x, y}, rest.first(length).toString() + Ellipsis());
            return;
        }
        const qsizetype length = ends.empty() ? 0 : ends.back();
        Write(surface, {x, y}, rest.first(length).toString());
        rest = WithoutLeadingSpaces(rest.sliced(std::min(length + 1, rest.size())));
        y = report_pixels::Add(y, lineHeight);
    }
}

QString ReportTextPlacement::fit_text(const Surface& surface, const QString& text, int limit)
{
    const int whole = surface.TextWidth(text);
    if (whole <= limit)
        return text;
    // The longest beginning that fits with "..." after it; characters are
    // given up from the end, the last one first. Measuring shapes the text
    // anew each time, so the search starts where the text's average
    // character width puts the end and widens its steps from there: the
    // answer is mostly a character or two away.
    const auto fits = [&](qsizetype length) {
        return surface.TextWidth(text.first(length) + Ellipsis()) <= limit;
    };
    const qsizetype longest = std::max<qsizetype>(text.size() - 1, 0);
    const long long room = static_cast<long long>(limit) - surface.TextWidth(Ellipsis());
    const qsizetype guess =
        whole <= 0 ? 0 : std::clamp<qsizetype>(room * text.size() / whole, 0, longest);
    // Lengths up to `good` fit, from `bad` up they do not; -1 when even no
    // character before "..." fits.
    qsizetype good = -1;
    qsizetype bad = text.size();
    if (fits(guess)) {
        good = guess;
        for (qsizetype step = 1; good + step < bad; step *= 2) {
            if (!fits(good + step)) {
                bad = good + step;
                break;
            }
            good += step;
        }
    } else {
        bad = guess;
        for (qsizetype step = 1; bad - step > good; step *= 2) {
            if (fits(std::max<qsizetype>(bad - step, 0))) {
                good = std::max<qsizetype>(bad - step, 0);
                break;
            }
            bad = std::max<qsizetype>(bad - step, 0);
        }
    }
    while (bad - good > 1) {
        const qsizetype middle = good + (bad - good) / 2;
        (fits(middle) ? good : bad) = middle;
    }
    return text.first(std::max<qsizetype>(good, 0)) + Ellipsis();
}
