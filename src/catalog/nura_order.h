#pragma once

#include "client/nura_record.h"

#include <QString>

class TNuraClient;

// An index of the catalog, and the cursor that walks one list of the server
// entry by entry. Only the kind, the index number and the prefix go to the
// server; the name is what the catalog calls it.
class nura_order
{
public:
    nura_order(const QString& name, TNuraClient* client, quint8 kind, qint32 indexNumber,
               const QString& prefix, const QString& dictionary = QString());

    // Reads the list's first entry; false at once when the list is empty
    // or the client fails. The entry is then Current().
    bool First();
    // Reads the entry after the current one; false at the end of the list
    // or when the client fails, and there is then no current entry.
    bool Next();
    const TNuraRecord* Current() const { return m_current.get(); }

    const QString& Name() const { return m_name; }
    quint8 Kind() const { return m_kind; }
    qint32 IndexNumber() const { return m_indexNumber; }
    const QString& Prefix() const { return m_prefix; }
    const QString& Dictionary() const { return m_dictionary; }
    void SetClient(TNuraClient* client) { m_client = client; }

private:
    QString m_name;
    TNuraClient* m_client = nullptr;
    quint8 m_kind = 0;
    qint32 m_indexNumber = 0;
    QString m_prefix;
    TNuraRecordPtr m_current;
    QString m_dictionary;
};
