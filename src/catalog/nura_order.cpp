#include "catalog/nura_order.h"

#include "client/nura_client.h"

nura_order::nura_order(const QString& name, TNuraClient* client, quint8 kind, qint32 indexNumber,
                       const QString& prefix, const QString& dictionary)
    : m_name(name), m_client(client), m_kind(kind), m_indexNumber(indexNumber), m_prefix(prefix),
      m_dictionary(dictionary)
{}

// Every walk starts at the beginning of the list (position 0).
bool nura_order::First()
{
    DisposeRecord(m_current);
    if (m_client != nullptr)
        m_current = m_client->GetFirstEntry(m_kind, 0, QString(), m_prefix, m_indexNumber);
    return m_current != nullptr;
}

// The server finds the next entry by the key of the current one, which is
// the entry's first field.
bool nura_order::Next()
{
    if (m_current == nullptr || m_client == nullptr)
        return false;
    TNuraRecordPtr next =
        m_client->GetNextEntry(m_kind, 0, m_prefix, m_current->fields[0], m_indexNumber);
    DisposeRecord(m_current);
    m_current = std::move(next);
    return m_current != nullptr;
}
