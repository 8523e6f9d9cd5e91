// A server's catalog description: any text is read to the end or stopped
// with an error text, and whatever was read stays consistent.
#include "catalog/structure_description.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    CatalogDescription description;
    const QString error = ReadStructureDescription(text, nullptr, description);
    if (!error.isEmpty())
        return 0;
    CompleteDescription(description, nullptr, 0);
    const int reports = static_cast<int>(description.reports.size());
    if (description.filterReport < -1 || description.filterReport >= reports)
        std::abort();
    // A report without its own form has at most the window text as form.
    for (const nura_report& report : description.reports) {
        if (!report.noForm && report.form.isEmpty())
            std::abort();
    }
    return 0;
}
