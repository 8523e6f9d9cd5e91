#pragma once

#include "catalog/catalog_description.h"
#include "client/nura_handlers.h"

#include <QString>

#include <memory>

class TNuraClient;

// One catalog: the connection to its server and what the catalog offers.
// Construction picks the transport by the address, connects, recognises
// the database generation and, when asked, loads the description; a failure
// leaves it not connected with an error text instead of throwing.
class nura_files
{
public:
    // `onError` and `onMessage` go to the client; the server's own messages
    // go to `onMessage` as well, since both are texts for the operator.
    nura_files(const QString& address, TTextHandler onError, TTextHandler onMessage, bool load,
               const QString& clientIdentification, qint32 port);
    // Says goodbye to the server and forgets the description.
    virtual ~nura_files();
    nura_files(const nura_files&) = delete;
    nura_files& operator=(const nura_files&) = delete;

    // Rebuilds the description from the server; returns the error text,
    // empty on success (which is also the object's error text afterwards).
    QString Load();
    // Loads again when the client's login value differs from the one the
    // description was loaded for; returns Load's error text, or empty.
    QString ReloadAfterLogin();
    // The client's Reconnect; the error text becomes the client's.
    virtual void Reconnect();

    // Everything after the first "&struktura=" of the server description.
    QString StructureText() const;
    // The server parameter "stopka".
    QString Footer() const;
    const nura_report* FindReport(const QString& idf) const;
    const nura_report* FindReportByName(const QString& name) const;

    bool Connected() const { return m_connected; }
    const QString& ErrorText() const { return m_errorText; }
    TNuraClient& Client() { return *m_client; }
    const TNuraClient& Client() const { return *m_client; }
    const QString& Address() const { return m_address; }
    qint32 Port() const { return m_port; }
    qint32 Edition() const { return m_edition; }
    const QString& ReportAddress() const { return m_reportAddress; }
    qint32 ReportPort() const { return m_reportPort; }
    // 0, 1 or 2 for NURA1, NURA2, NURA3.
    quint8 Generation() const { return m_generation; }
    // A first-generation server dated 2003.11.25 or later.
    bool DatedGeneration() const { return m_datedGeneration; }
    const CatalogDescription& Description() const { return m_description; }
    const QString& LoginValue() const { return m_loginValue; }

protected:
    QString m_errorText;

private:
    void ReadServerParameters();

    bool m_connected = false;
    QString m_address;
    qint32 m_port = 0;
    qint32 m_edition = 0;
    QString m_reportAddress;
    qint32 m_reportPort = 0;
    std::unique_ptr<TNuraClient> m_client;
    quint8 m_generation = 0;
    bool m_datedGeneration = false;
    CatalogDescription m_description;
    QString m_loginValue;
    qint32 m_remoteCollectionIndex = 0;
};
