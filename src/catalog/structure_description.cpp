#include "catalog/structure_description.h"

#include "catalog/brace_notation.h"
#include "config/config_integer.h"

#include <initializer_list>
#include <utility>

namespace {

// Reads the records of one kind, field by field. A field that must be a
// whole number and is not records the first such failure; the caller stops
// at the end of the record it was found in.
class RecordReader
{
public:
    RecordReader(QString& error, const QString& kind) : m_error(error), m_kind(kind) {}

    void Start(const QString& value) { m_value = value; }

    QString Text(const char* key) { return TakeRecord(m_value, QLatin1String(key)); }

    template <typename Integer> Integer Number(const char* key)
    {
        const QString text = Text(key);
        Integer value = 0;
        if (!ParseNarrowInteger(text, value)) {
            if (m_error.isEmpty())
                m_error = QStringLiteral("Błąd opisu katalogu: \"%1\" w rekordzie \"%2\" nie jest "
                                         "liczbą całkowitą (\"%3\")")
                              .arg(QLatin1String(key), m_kind, text);
            return 0;
        }
        return value;
    }

    // Several text fields at once, each into its member of `out`.
    template <typename Record>
    void Texts(Record& out, std::initializer_list<std::pair<const char*, QString Record::*>> fields)
    {
        for (const auto& [key, member] : fields)
            out.*member = Text(key);
    }

    // What is left of the record's value once its fields were taken.
    QString& Rest() { return m_value; }
    bool Failed() const { return !m_error.isEmpty(); }

private:
    QString& m_error;
    QString m_kind;
    QString m_value;
};

// Every record of one kind, from a copy of the whole structure.
QStringList RecordsOf(const QString& structure, const char* kind)
{
    QString copy = structure;
    return TakeRecords(copy, QLatin1String(kind));
}

class StructureReader
{
public:
    StructureReader(const QString& structure, TNuraClient* client, CatalogDescription& description)
        : m_structure(structure), m_client(client), m_description(description)
    {}

    QString Read()
    {
        if (!ReadIndexes() || !ReadDictionaries())
            return m_error;
        ReadCriteria();
        if (ReadFormats() && ReadReports()) {
            ReadPrograms();
            ReadFilters();
        }
        return m_error;
    }

private:
    bool ReadIndexes()
    {
        RecordReader record(m_error, QStringLiteral("x"));
        for (const QString& value : RecordsOf(m_structure, "x")) {
            record.Start(value);
            const QString name = record.Text("nam");
            const auto kind = record.Number<quint8>("tab");
            const auto indexNumber = record.Number<qint32>("ind");
            const QString prefix = record.Text("pre");
            const QString dictionary = record.Text("khw");
            if (record.Failed())
                return false;
            m_description.indexes.emplace_back(name, m_client, kind, indexNumber, prefix,
                                               dictionary);
        }
        return true;
    }

    bool ReadDictionaries()
    {
        RecordReader record(m_error, QStringLiteral("w"));
        RecordReader index(m_error, QStringLiteral("x"));
        for (const QString& value : RecordsOf(m_structure, "w")) {
            record.Start(value);
            nura_KHW dictionary;
            dictionary.identifier = record.Text("id");
            dictionary.name = record.Text("nam");
            for (const QString& indexValue : TakeRecords(record.Rest(), QStringLiteral("x"))) {
                index.Start(indexValue);
                nura_KHW_index entry;
                entry.name = index.Text("nam");
                entry.kind = index.Number<qint32>("tab");
                entry.indexNumber = index.Number<qint32>("ind");
                entry.prefix = index.Text("pre");
                dictionary.indexes.push_back(entry);
            }
            if (record.Failed())
                return false;
            m_description.dictionaries.push_back(std::move(dictionary));
        }
        return true;
    }

    void ReadCriteria()
    {
        QString copy = m_structure;
        QString defaults = TakeRecord(copy, QStringLiteral("ixf"));
        const QString defaultPar = TakeRecord(defaults, QStringLiteral("par"));
        const QString defaultAct = TakeRecord(defaults, QStringLiteral("act"));
        RecordReader record(m_error, QStringLiteral("q"));
        for (const QString& value : RecordsOf(m_structure, "q")) {
            record.Start(value);
            nura_criterium criterium;
            record.Texts(criterium, {{"nam", &nura_criterium::name},
                                     {"typ", &nura_criterium::type},
                                     {"par", &nura_criterium::par},
                                     {"act", &nura_criterium::act},
                                     {"khw", &nura_criterium::dictionary},
                                     {"opt", &nura_criterium::opt}});
            if (criterium.type == QLatin1String("INDEX")) {
                if (criterium.par.isEmpty())
                    criterium.par = defaultPar;
                if (criterium.act.isEmpty())
                    criterium.act = defaultAct;
            }
            m_description.criteria.push_back(std::move(criterium));
        }
        for (QString value : RecordsOf(m_structure, "s"))
            m_description.sNames << TakeRecord(value, QStringLiteral("nam"));
        for (QString value : RecordsOf(m_structure, "sd"))
            m_description.sdNames << TakeRecord(value, QStringLiteral("nam"));
    }

    bool ReadFormats()
    {
        RecordReader record(m_error, QStringLiteral("f"));
        for (const QString& value : RecordsOf(m_structure, "f")) {
            record.Start(value);
            nura_format format;
            format.name = record.Text("nam");
            format.type = record.Text("typ");
            format.identifier = record.Number<qint16>("id");
            if (record.Failed())
                return false;
            m_description.formats.push_back(std::move(format));
        }
        return true;
    }

    bool ReadReports()
    {
        RecordReader record(m_error, QStringLiteral("r"));
        for (const QString& value : RecordsOf(m_structure, "r")) {
            record.Start(value);
            nura_report report;
            record.Texts(report, {{"nam", &nura_report::name},
                                  {"fat", &nura_report::group},
                                  {"lan", &nura_report::kind},
                                  {"ico", &nura_report::icon},
                                  {"act", &nura_report::act},
                                  {"opt", &nura_report::opt},
                                  {"idf", &nura_report::idf}});
            const QString par = record.Text("par");
            const QString win = record.Text("win");
            report.identifier = record.Number<qint16>("id");
            if (record.Failed())
                return false;
            report.noForm = par.isEmpty();
            report.form = report.noForm ? win : par;
            m_description.reports.push_back(std::move(report));
        }
        return true;
    }

    void ReadPrograms()
    {
        RecordReader record(m_error, QStringLiteral("p"));
        for (const QString& value : RecordsOf(m_structure, "p")) {
            record.Start(value);
            nura_programm program;
            record.Texts(program, {{"nam", &nura_programm::name},
                                   {"id", &nura_programm::identifier},
                                   {"par", &nura_programm::par},
                                   {"act", &nura_programm::act},
                                   {"opt", &nura_programm::opt},
                                   {"cal", &nura_programm::cal},
                                   {"aft", &nura_programm::aft},
                                   {"app", &nura_programm::app},
                                   {"fat", &nura_programm::group}});
            m_description.programs.push_back(std::move(program));
        }
    }

    void ReadFilters()
    {
        for (QString value : RecordsOf(m_structure, "c")) {
            nura_filter filter;
            filter.name = TakeRecord(value, QStringLiteral("nam"));
            filter.identifier = TakeRecord(value, QStringLiteral("id"));
            m_description.filters.push_back(std::move(filter));
        }
    }

    const QString& m_structure;
    TNuraClient* m_client;
    CatalogDescription& m_description;
    QString m_error;
};

} // namespace

QString ReadStructureDescription(const QString& structure, TNuraClient* client,
                                 CatalogDescription& description)
{
    return StructureReader(structure, client, description).Read();
}
