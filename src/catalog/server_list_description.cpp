#include "catalog/server_list_description.h"

#include "client/nura_client.h"
#include "config/config_integer.h"

namespace {

// An entry's field, 1-based as the server numbers them.
const QString& Field(const TNuraRecord& entry, int number)
{
    return entry.fields[static_cast<size_t>(number - 1)];
}

// Blanks and control characters at both ends are the server's padding.
QString TrimControls(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= u' ')
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= u' ')
        --end;
    return text.mid(begin, end - begin);
}

// Walks one list of the server; `use` gets every entry and may stop the
// walk with an error text.
template <typename Use>
QString WalkList(TNuraClient& client, const char* name, quint8 kind, qint32 indexNumber,
                 const QString& prefix, Use use)
{
    nura_order list(QString::fromUtf8(name), &client, kind, indexNumber, prefix);
    for (bool more = list.First(); more; more = list.Next()) {
        QString error = use(*list.Current());
        if (!error.isEmpty())
            return error;
    }
    return {};
}

QString IdentifierError(const char* list, const QString& text)
{
    return QStringLiteral("Błąd opisu katalogu: identyfikator na liście \"%1\" nie jest liczbą "
                          "całkowitą (\"%2\")")
        .arg(QLatin1String(list), text);
}

void AddIndex(CatalogDescription& description, TNuraClient& client, const char* name,
              qint32 indexNumber, quint8 kind)
{
    description.indexes.emplace_back(QString::fromUtf8(name), &client, kind, indexNumber,
                                     QString());
}

// The first generation's fixed indexes, with its "051" list of extra ones
// in between.
void ReadFirstGenerationIndexes(TNuraClient& client, CatalogDescription& description)
{
    AddIndex(description, client, "autor", 2, 2);
    AddIndex(description, client, "tytuł", 2, 3);
    WalkList(client, "051", 8, 1, QStringLiteral("051"), [&](const TNuraRecord& entry) {
        description.indexes.emplace_back(TrimControls(Field(entry, 3)), &client, 4, 2,
                                         Field(entry, 2).left(1));
        return QString();
    });
    AddIndex(description, client, "impreza", 2, 13);
    AddIndex(description, client, "wydawca", 2, 7);
    AddIndex(description, client, "identyfikator", 3, 6);
    AddIndex(description, client, "sygnatura", 4, 6);
    AddIndex(description, client, "numer", 1, 1);
}

void ReadLaterGenerationIndexes(TNuraClient& client, CatalogDescription& description)
{
    WalkList(client, "Indeksy", 20, 1, QString(), [&](const TNuraRecord& entry) {
        description.indexes.emplace_back(TrimControls(Field(entry, 3)), &client, 21, 5,
                                         Field(entry, 2));
        return QString();
    });
}

QString ReadFormats(TNuraClient& client, CatalogDescription& description)
{
    return WalkList(client, "FRM", 11, 1, QString(), [&](const TNuraRecord& entry) {
        nura_format format;
        if (!ParseNarrowInteger(Field(entry, 1), format.identifier))
            return IdentifierError("FRM", Field(entry, 1));
        format.type = Field(entry, 2);
        format.name = Field(entry, 3);
        description.formats.push_back(std::move(format));
        return QString();
    });
}

QString ReadReports(TNuraClient& client, CatalogDescription& description)
{
    return WalkList(client, "REP", 97, 1, QString(), [&](const TNuraRecord& entry) {
        nura_report report;
        if (!ParseNarrowInteger(Field(entry, 1), report.identifier))
            return IdentifierError("REP", Field(entry, 1));
        report.name = Field(entry, 2);
        report.kind = Field(entry, 3);
        report.icon = Field(entry, 4);
        report.form = Field(entry, 5);
        report.noForm = report.form.isEmpty();
        if (entry.count > 5)
            report.opt = Field(entry, 6);
        description.reports.push_back(std::move(report));
        return QString();
    });
}

} // namespace

QString ReadServerListDescription(TNuraClient& client, CatalogDescription& description)
{
    if (client.ServerDescription().startsWith(QLatin1String("NURA1")))
        ReadFirstGenerationIndexes(client, description);
    else
        ReadLaterGenerationIndexes(client, description);
    WalkList(client, "CRI", 98, 1, QString(), [&](const TNuraRecord& entry) {
        nura_criterium criterium;
        criterium.name = Field(entry, 2);
        criterium.dictionary = Field(entry, 3);
        criterium.type = QStringLiteral("INDEX");
        description.criteria.push_back(std::move(criterium));
        return QString();
    });
    QString error = ReadFormats(client, description);
    if (error.isEmpty())
        error = ReadReports(client, description);
    return error;
}
