#include "reports/preview_pages.h"

#include <algorithm>

PreviewPages::PreviewPages(const ReportPageModel& model, int linesPerPage)
    : m_pages(model.Pages(linesPerPage)), m_lineCount(model.LineCount())
{}

int PreviewPages::Count() const
{
    return static_cast<int>(m_pages.size());
}

// Pages are in the order of their first lines, and every page has its own
// first line, so a page is found by binary search on it.
int PreviewPages::IndexOf(PageAddress address) const
{
    const auto at =
        std::lower_bound(m_pages.begin(), m_pages.end(), address,
                         [](const ReportPageModel::Page& page, PageAddress wanted) {
                             return page.section < wanted.section ||
                                    (page.section == wanted.section && page.page < wanted.page);
                         });
    if (at == m_pages.end() || at->section != address.section || at->page != address.page)
        return -1;
    return static_cast<int>(at - m_pages.begin());
}

const ReportPageModel::Page& PreviewPages::At(int index) const
{
    return m_pages.at(static_cast<size_t>(std::clamp(index, 0, Count() - 1)));
}

PageAddress PreviewPages::AddressAt(int index) const
{
    const ReportPageModel::Page& page = At(index);
    return {page.section, page.page};
}

int PreviewPages::IndexOfLine(int line) const
{
    const auto after = std::upper_bound(
        m_pages.begin(), m_pages.end(), line,
        [](int wanted, const ReportPageModel::Page& page) { return wanted < page.first; });
    if (after == m_pages.begin())
        return 0;
    return static_cast<int>(after - m_pages.begin()) - 1;
}

PageAddress PreviewPages::First() const
{
    return AddressAt(0);
}

PageAddress PreviewPages::Next(PageAddress from) const
{
    const int index = IndexOf(from);
    return index < 0 ? First() : AddressAt(index + 1);
}

PageAddress PreviewPages::Previous(PageAddress from) const
{
    const int index = IndexOf(from);
    return index < 0 ? First() : AddressAt(index - 1);
}

PageAddress PreviewPages::Last() const
{
    return AddressAt(Count() - 1);
}

bool PreviewPages::HasPrevious(PageAddress at) const
{
    const int index = IndexOf(at);
    return index >= 0 && m_lineCount > 0 && At(index).first > 1;
}

bool PreviewPages::HasNext(PageAddress at) const
{
    const int index = IndexOf(at);
    return index >= 0 && At(index).last < m_lineCount;
}
