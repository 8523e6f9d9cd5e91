#include "reports/report_page_model.h"

#include <algorithm>
#include <climits>
#include <cmath>

int RoundEven(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (value <= static_cast<double>(INT_MIN))
        return INT_MIN;
    // Explicit rather than std::rint, so a changed rounding mode of the
    // process cannot move a report's pixels.
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double rounded = fraction > 0.5 ? floor + 1 : floor;
    if (fraction == 0.5)
        rounded = std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
    return static_cast<int>(rounded);
}

namespace {

int ClampToInt(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// A length in centimetres as pixels at `dpi`.
int Pixels(int dpi, double cm)
{
    return RoundEven(dpi * cm / 2.54);
}

// The largest scale at which a design unit is at most 0.24 mm.
constexpr double kMaxCmPerUnit = 0.024;

struct PrinterPage
{
    int dpi = 0;
    int width = 0;
    int height = 0;
};

// Pixels left for bands between the top and bottom margins.
int Available(const ReportSettings& settings, const PrinterPage& page, int originY)
{
    return page.height - originY - Pixels(page.dpi, settings.bottomCm);
}

// Caps the scale at 0.24 mm per unit; a capped report stands against the
// right margin.
void CapScale(const ReportSettings& settings, const PrinterPage& page, DeviceScale& device)
{
    if (device.scale * 2.54 / page.dpi <= kMaxCmPerUnit)
        return;
    device.scale = page.dpi * kMaxCmPerUnit / 2.54;
    device.originX = page.width - Pixels(page.dpi, settings.rightCm) -
                     RoundEven(settings.designWidth * device.scale);
}

// Shrinks the scale so that `units` design units of height fit the page.
void FitHeight(const ReportSettings& settings, const PrinterPage& page, double units,
               DeviceScale& device)
{
    const int available = Available(settings, page, device.originY);
    if (units > 0 && available < units * device.scale)
        device.scale = available / units;
}

int PrinterLines(const ReportSettings& settings, const PrinterPage& page, const DeviceScale& device)
{
    if (settings.layout == ReportLayout::Const || settings.layout == ReportLayout::Width)
        return std::max(settings.fixedLines, 1);
    if (settings.line.height == 0)
        return 1;
    const long long bands =
        RoundEven((settings.header.height + settings.footer.height) * device.scale);
    const long long line = RoundEven(settings.line.height * device.scale);
    // A line thinner than a pixel still takes one, so the count stays finite.
    const long long lines =
        (Available(settings, page, device.originY) - bands) / std::max(line, 1LL);
    return ClampToInt(std::max(lines, 1LL));
}

} // namespace

DeviceScale PrinterScale(const ReportSettings& settings, int dpi, int pageWidth, int pageHeight)
{
    const PrinterPage page{dpi, pageWidth, pageHeight};
    const double width = std::max(settings.designWidth, 1);
    const double header = settings.header.height;
    const double footer = settings.footer.height;
    const double line = settings.line.height;
    DeviceScale device;
    device.originY = Pixels(dpi, settings.topCm);
    device.originX = Pixels(dpi, settings.leftCm);
    device.scale = (pageWidth - device.originX - Pixels(dpi, settings.rightCm)) / width;
    switch (settings.layout) {
    case ReportLayout::Standard:
        CapScale(settings, page, device);
        break;
    case ReportLayout::Full:
        FitHeight(settings, page, header + footer + line, device);
        CapScale(settings, page, device);
        break;
    case ReportLayout::Const:
        FitHeight(settings, page, header + footer + settings.fixedLines * line, device);
        device.originX = pageWidth - Pixels(dpi, settings.rightCm) -
                         RoundEven(settings.designWidth * device.scale);
        break;
    case ReportLayout::Width:
        device.scale = Pixels(dpi, settings.physicalWidthCm) / width;
        break;
    }
    // The scale is kept as a size: margins wider than the page must not
    // turn the report over.
    device.scale = std::isfinite(device.scale) ? std::fabs(device.scale) : 0.0;
    device.linesPerPage = PrinterLines(settings, page, device);
    return device;
}

namespace {

constexpr double kNominalShortCm = 20.0;
constexpr double kNominalLongCm = 28.7;

// Data lines on one preview page, before the page is at least one line.
int PreviewLines(const ReportSettings& settings, int dataLineCount)
{
    if (settings.layout == ReportLayout::Const)
        return std::max(settings.fixedLines, 0);
    const bool landscape = settings.orientation == ReportOrientation::Landscape;
    const double pageWidth = landscape ? kNominalLongCm : kNominalShortCm;
    const double pageHeight =
        (landscape ? kNominalShortCm : kNominalLongCm) - settings.topCm - settings.bottomCm;
    const double width = std::max(settings.designWidth, 1);
    const double bands = settings.header.height + settings.footer.height + settings.line.height;
    double cmPerUnit = (pageWidth - settings.leftCm - settings.rightCm) / width;
    switch (settings.layout) {
    case ReportLayout::Standard:
        cmPerUnit = std::min(cmPerUnit, kMaxCmPerUnit);
        break;
    case ReportLayout::Full:
        if (bands > 0 && bands * cmPerUnit > pageHeight)
            cmPerUnit = pageHeight / bands;
        cmPerUnit = std::min(cmPerUnit, kMaxCmPerUnit);
        break;
    case ReportLayout::Width:
        cmPerUnit = settings.physicalWidthCm / width;
        break;
    case ReportLayout::Const:
        break;
    }
    if (settings.line.height == 0)
        return 1;
    const long long units = RoundEven(pageHeight / cmPerUnit);
    const long long lines =
        (units - settings.header.height - settings.footer.height) / settings.line.height;
    return ClampToInt(std::clamp<long long>(lines, 0, std::max(dataLineCount, 0)));
}

} // namespace

int PreviewPageHeightUnits(const ReportSettings& settings, int dataLineCount)
{
    const long long lines = PreviewLines(settings, dataLineCount);
    return ClampToInt(settings.header.height + settings.footer.height +
                      lines * settings.line.height);
}

int PreviewLinesPerPage(const ReportSettings& settings, int dataLineCount)
{
    if (settings.layout == ReportLayout::Const || settings.layout == ReportLayout::Width)
        return std::max(settings.fixedLines, 1);
    if (settings.line.height == 0)
        return 1;
    const double bands = settings.header.height + settings.footer.height;
    const int lines =
        RoundEven((PreviewPageHeightUnits(settings, dataLineCount) - bands) / settings.line.height);
    return std::max(lines, 1);
}

ReportPageModel::ReportPageModel(const QStringList& data)
    : m_lineCount(static_cast<int>(std::min<qsizetype>(data.size(), INT_MAX - 1)))
{
    for (int i = 0; i < m_lineCount; ++i) {
        if (data.at(i).startsWith(u'*'))
            m_breaks.push_back(i + 1);
    }
}

int ReportPageModel::LineCount() const
{
    return m_lineCount;
}

bool ReportPageModel::IsBreak(int line) const
{
    if (line > m_lineCount)
        return true;
    return std::binary_search(m_breaks.begin(), m_breaks.end(), line);
}

namespace {

// Lines beyond the data count as breaks, so every walk ends.
long long NextBreak(const std::vector<int>& breaks, int lineCount, long long from)
{
    const auto at = std::lower_bound(breaks.begin(), breaks.end(), from);
    if (at != breaks.end())
        return *at;
    return std::max<long long>(from, lineCount + 1LL);
}

} // namespace

int ReportPageModel::FirstLineOfPage(int section, int page, int linesPerPage) const
{
    // The section begins after its (section - 1)-th break line; past the
    // last one, every line beyond the data is a break of its own.
    const long long passed = std::max(section, 1) - 1LL;
    const long long breakCount = static_cast<long long>(m_breaks.size());
    long long first = 1;
    if (passed > breakCount)
        first = m_lineCount + (passed - breakCount) + 1;
    else if (passed > 0)
        first = m_breaks[static_cast<size_t>(passed - 1)] + 1LL;
    // Whole pages are passed over, but never a break line: a section's
    // pages never reach into the next one.
    const long long skipped = (std::max(page, 1) - 1LL) * std::max(linesPerPage, 1);
    return ClampToInt(std::min(first + skipped, NextBreak(m_breaks, m_lineCount, first)));
}

int ReportPageModel::LastLineOfPage(int section, int page, int linesPerPage) const
{
    const long long first = FirstLineOfPage(section, page, linesPerPage);
    const long long last = first + std::max(linesPerPage, 1) - 1;
    return ClampToInt(std::min(last, NextBreak(m_breaks, m_lineCount, first)));
}

std::vector<ReportPageModel::Page> ReportPageModel::Pages(int linesPerPage) const
{
    if (m_lineCount == 0)
        return {Page()};
    const long long k = std::max(linesPerPage, 1);
    std::vector<Page> pages;
    auto nextBreak = m_breaks.begin();
    Page page;
    long long line = 1;
    while (line <= m_lineCount) {
        // Breaks behind the page's first line no longer matter: the walk
        // only moves forward, so the whole walk is linear.
        while (nextBreak != m_breaks.end() && *nextBreak < line)
            ++nextBreak;
        const long long breakLine = nextBreak != m_breaks.end() ? *nextBreak : m_lineCount + 1LL;
        const long long end = std::min(line + k - 1, breakLine);
        page.first = static_cast<int>(line);
        page.last = static_cast<int>(std::min<long long>(end, m_lineCount));
        page.lastOfSection = end == breakLine || end >= m_lineCount;
        pages.push_back(page);
        page.page = page.lastOfSection ? 1 : page.page + 1;
        page.section += page.lastOfSection ? 1 : 0;
        line = end + 1;
    }
    return pages;
}
