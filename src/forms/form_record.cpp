#include "forms/form_record.h"

#include "forms/form_matchers.h"

#include <QStringList>

#include <algorithm>

QString my_record::Value(const QString& name) const
{
    const auto found = m_index.constFind(name);
    return found == m_index.cend() ? QString() : m_entries[found.value()].value;
}

bool my_record::IsReadOnly(const QString& name) const
{
    const auto found = m_index.constFind(name);
    return found != m_index.cend() && m_entries[found.value()].readOnly;
}

void my_record::SetValue(const QString& name, const QString& value)
{
    const auto found = m_index.constFind(name);
    if (found != m_index.cend()) {
        m_entries[found.value()].value = value;
        return;
    }
    if (value.isEmpty())
        return;
    m_index.insert(name, m_entries.size());
    m_entries.push_back({name, 0, false, QString(), value});
}

void my_record::SetReadOnly(const QString& name, bool readOnly)
{
    auto found = m_index.constFind(name);
    if (found == m_index.cend()) {
        found = m_index.insert(name, m_entries.size());
        m_entries.push_back({name, 0, false, QString(), QString()});
    }
    m_entries[found.value()].readOnly = readOnly;
}

void my_record::AddError(const QString& message, const QString& fieldPattern)
{
    m_errors.push_back({message, fieldPattern});
}

void my_record::RemoveErrorsFor(const QString& name)
{
    m_errors.erase(std::remove_if(m_errors.begin(), m_errors.end(),
                                  [&name](const my_error& error) {
                                      return MatchesErrorPattern(name, error.fieldPattern);
                                  }),
                   m_errors.end());
}

void my_record::ClearErrors()
{
    m_errors.clear();
}

QString my_record::ErrorText() const
{
    QStringList messages;
    for (const my_error& error : m_errors)
        messages << error.message;
    return messages.join(QStringLiteral("\r\n"));
}
