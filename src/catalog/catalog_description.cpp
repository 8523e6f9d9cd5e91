#include "catalog/catalog_description.h"

namespace {

template <typename Field>
const nura_report* FindReport(const CatalogDescription& description, const QString& text,
                              Field field)
{
    for (const nura_report& report : description.reports) {
        if ((report.*field).compare(text, Qt::CaseInsensitive) == 0)
            return &report;
    }
    return nullptr;
}

} // namespace

void CompleteDescription(CatalogDescription& description, TNuraClient* client,
                         qint32 remoteCollectionIndex)
{
    if (!description.criteria.empty())
        description.indexes.emplace_back(QStringLiteral("Kolekcja zdalna"), client,
                                         kRemoteCollectionKind, remoteCollectionIndex, QString());
    description.filterReport = -1;
    const nura_report* filter = FindReportByIdf(description, QStringLiteral("filtr"));
    if (filter != nullptr)
        description.filterReport = static_cast<int>(filter - description.reports.data());
}

const nura_report* FindReportByIdf(const CatalogDescription& description, const QString& text)
{
    return FindReport(description, text, &nura_report::idf);
}

const nura_report* FindReportByName(const CatalogDescription& description, const QString& text)
{
    return FindReport(description, text, &nura_report::name);
}
