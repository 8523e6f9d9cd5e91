#include "catalog/twypozyczalnia.h"

#include "client/nura_client.h"
#include "config/config_integer.h"

qint16 AgendaNumberIn(const QString& rights, const QString& service)
{
    if (service.isEmpty())
        return 0;
    const qsizetype at = rights.indexOf(service);
    const qsizetype equals = at + service.size();
    if (at < 0 || equals >= rights.size() || rights.at(equals) != QLatin1Char('='))
        return 0;
    const qsizetype end = rights.indexOf(QLatin1Char(';'), equals + 1);
    const QStringView number = QStringView(rights).mid(equals + 1, end < 0 ? -1 : end - equals - 1);
    qint16 value = 0;
    return ParseNarrowInteger(number, value) ? value : 0;
}

QString Twypozyczalnia::Login(const QString& user, const QString& password, const QString& service)
{
    QString error;
    Client().Login(user, password, error, false, service);
    if (!error.isEmpty())
        return error;
    m_serviceName = service;
    m_agendaNumber = AgendaNumberIn(Client().Rights(), service);
    return {};
}

void Twypozyczalnia::Reconnect()
{
    nura_files::Reconnect();
    if (m_errorText.isEmpty())
        m_agendaNumber = AgendaNumberIn(Client().Rights(), m_serviceName);
}

QString Twypozyczalnia::Register(const QString& type, qint32 count)
{
    TAnswer answer;
    Client().Registry(type, count, answer);
    if (Client().WasReconnected())
        return QStringLiteral("Wynik operacji nie jest wiarygodny");
    switch (answer.count) {
    case 0:
        return Client().ErrorText();
    case 1:
        return answer.fields[0];
    default:
        return QStringLiteral("REGISTRY: Błąd systemowy odpowiedzi (%1)").arg(answer.count);
    }
}

QString Twypozyczalnia::ReadCount(const QString& type, qint32& count)
{
    TAnswer answer;
    Client().GetRegistry(type, answer);
    switch (answer.count) {
    case 0:
        return Client().ErrorText();
    case 1:
        return answer.fields[0];
    case 2: {
        int value = 0;
        if (!ParseConfigInteger(answer.fields[1], value))
            return QStringLiteral("GETREGISTRY: Błędna liczba odwiedzin (%1)")
                .arg(answer.fields[1]);
        count = value;
        return {};
    }
    default:
        return QStringLiteral("GETREGISTRY: Błąd systemowy odpowiedzi (%1)").arg(answer.count);
    }
}
