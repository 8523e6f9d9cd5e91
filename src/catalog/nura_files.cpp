#include "catalog/nura_files.h"

#include "catalog/server_list_description.h"
#include "catalog/structure_description.h"
#include "client/nura_client.h"
#include "client/nura_client_factory.h"
#include "client/nura_text_helpers.h"
#include "config/config_integer.h"

namespace {

const QLatin1String kStructureKey("&struktura=");

// 0, 1 or 2 for the generations the program knows, -1 for any other.
int GenerationOf(const QString& description)
{
    const QLatin1String generations[] = {QLatin1String("NURA1"), QLatin1String("NURA2"),
                                         QLatin1String("NURA3")};
    for (int i = 0; i < 3; ++i) {
        if (description.startsWith(generations[i]))
            return i;
    }
    return -1;
}

} // namespace

nura_files::nura_files(const QString& address, TTextHandler onError, TTextHandler onMessage,
                       bool load, const QString& clientIdentification, qint32 port)
    : m_address(address), m_port(port), m_reportAddress(address), m_reportPort(port)
{
    m_client = CreateNuraClient(address, onMessage, onError, onMessage, clientIdentification, port);
    if (m_client->HasError()) {
        m_errorText = m_client->ErrorText();
        return;
    }
    const int generation = GenerationOf(m_client->ServerDescription());
    if (generation < 0) {
        m_errorText = QStringLiteral("Nieznany typ bazy NURA");
        return;
    }
    m_generation = static_cast<quint8>(generation);
    // A description the program cannot read leaves the catalog unusable, so
    // it fails the connection like an unreachable server, with its reason.
    if (load && !Load().isEmpty())
        return;
    ReadServerParameters();
    m_connected = true;
}

// The client's destructor says goodbye to the server.
nura_files::~nura_files() = default;

void nura_files::ReadServerParameters()
{
    ParseConfigInteger(GetParam(*m_client, QStringLiteral("edycja")), m_edition);
    QString reports = GetParam(*m_client, QStringLiteral("raporty"));
    if (reports.isEmpty())
        return;
    const QString host = NextToken(reports, QLatin1Char(':'));
    m_reportAddress = host.isEmpty() ? m_address : host;
    ParseConfigInteger(reports, m_reportPort);
}

QString nura_files::Load()
{
    m_description = CatalogDescription();
    const QString structure = StructureText();
    const QString description = m_client->ServerDescription();
    m_datedGeneration =
        description.startsWith(QLatin1String("NURA1")) &&
        GetParam(description, QStringLiteral("wersja")) >= QLatin1String("2003.11.25");
    m_errorText = structure.isEmpty()
                      ? ReadServerListDescription(*m_client, m_description)
                      : ReadStructureDescription(structure, m_client.get(), m_description);
    if (m_errorText.isEmpty())
        CompleteDescription(m_description, m_client.get(), m_remoteCollectionIndex);
    return m_errorText;
}

QString nura_files::ReloadAfterLogin()
{
    if (m_client->LoginInfo() == m_loginValue)
        return {};
    if (QString error = Load(); !error.isEmpty())
        return error;
    m_loginValue = m_client->LoginInfo();
    return {};
}

void nura_files::Reconnect()
{
    m_client->Reconnect();
    m_errorText = m_client->ErrorText();
}

QString nura_files::StructureText() const
{
    const QString& description = m_client->ServerDescription();
    const qsizetype at = description.indexOf(kStructureKey);
    return at < 0 ? QString() : description.mid(at + kStructureKey.size());
}

QString nura_files::Footer() const
{
    return GetParam(*m_client, QStringLiteral("stopka"));
}

const nura_report* nura_files::FindReport(const QString& idf) const
{
    return FindReportByIdf(m_description, idf);
}

const nura_report* nura_files::FindReportByName(const QString& name) const
{
    return ::FindReportByName(m_description, name);
}
