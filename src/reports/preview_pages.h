#pragma once

#include "reports/report_page_model.h"

#include <vector>

// A page of the preview by its place in the report: section and page within
// the section, both from 1.
struct PageAddress
{
    int section = 1;
    int page = 1;

    bool operator==(const PageAddress& other) const
    {
        return section == other.section && page == other.page;
    }
};

// The preview's pages in order, for walking them with the window's buttons
// and keys. Built once per report and page length, so that every step, the
// jump to the last page and "page N of M" are answered at once, however far
// into a large report the page lies.
class PreviewPages
{
public:
    PreviewPages(const ReportPageModel& model, int linesPerPage);

    // Pages in the report; at least one.
    int Count() const;
    // The place (0 to Count() - 1) of a page in the report's order; -1 when
    // the report has no such page.
    int IndexOf(PageAddress address) const;
    const ReportPageModel::Page& At(int index) const;
    PageAddress AddressAt(int index) const;
    // The page holding data line `line`; the first page for lines before
    // the data, the last for lines after it.
    int IndexOfLine(int line) const;

    // The walks of the navigation buttons. "|<" goes to (1, 1); ">>" to the
    // next page, the first of the next section after a page that ends with
    // a break line; "<<" to the previous page, the last of the previous
    // section from a section's first page; ">|" to the last page of the
    // last section. A step beyond either end stays where it is.
    PageAddress First() const;
    PageAddress Next(PageAddress from) const;
    PageAddress Previous(PageAddress from) const;
    PageAddress Last() const;

    // Whether the buttons back ("|<", "<<") and forward (">>", ">|") are
    // offered on a page: back when the page does not begin with the first
    // data line, forward when it ends before the last.
    bool HasPrevious(PageAddress at) const;
    bool HasNext(PageAddress at) const;

private:
    std::vector<ReportPageModel::Page> m_pages;
    int m_lineCount = 0;
};
