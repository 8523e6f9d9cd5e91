#pragma once

#include "catalog/nura_files.h"

#include <QString>

// The program's session with the server: a catalog with the reading-room
// operations. It logs in for a service, knows the operator's agenda number,
// registers visits and reads their counts.
class Twypozyczalnia : public nura_files
{
public:
    using nura_files::nura_files;

    // Logs in with the service as the right the user must hold; returns the
    // error text, empty on success.
    QString Login(const QString& user, const QString& password, const QString& service);
    // Reconnects; the error text tells the outcome, and a sound connection
    // takes the agenda number again from the (possibly new) rights.
    void Reconnect() override;
    // Adds `count` visits of `type` (negative takes them away). Returns the
    // error text, empty on success; a request interrupted by a reconnection
    // is never sent again, since the server may already have counted it.
    QString Register(const QString& type, qint32 count);
    // Today's visits of `type` into `count`, which stays as it was on any
    // failure. Returns the error text, empty on success.
    QString ReadCount(const QString& type, qint32& count);

    const QString& ServiceName() const { return m_serviceName; }
    qint16 AgendaNumber() const { return m_agendaNumber; }

private:
    QString m_serviceName;
    qint16 m_agendaNumber = 0;
};

// The number that a rights text ("czytelnia=12;katalog;") gives a service:
// the whole number between "=" and ";" right after the service's first
// occurrence; 0 when the service is absent or has no such number.
qint16 AgendaNumberIn(const QString& rights, const QString& service);
