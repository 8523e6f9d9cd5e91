#pragma once

#include <QHash>
#include <QString>

#include <vector>

// One error found in a form's values, and the field pattern (see
// MatchesErrorPattern) of the fields it concerns.
struct my_error
{
    QString message;
    QString fieldPattern;
};

// One value of the form. The number, the flag and the text beside the value
// are kept as the record has always had them; the form sets only the value.
struct my_field_entry
{
    QString name;
    int number = 0;
    bool readOnly = false;
    QString text;
    QString value;
};

// All values of one run of a form, by name, in the order they first got a
// value, and the errors found in them. Shared by every editor of the form.
class my_record
{
public:
    QString Value(const QString& name) const;
    bool IsReadOnly(const QString& name) const;
    // Replaces the value of an existing entry (also with an empty one);
    // a new name gets an entry only for a non-empty value.
    void SetValue(const QString& name, const QString& value);
    // The form's owner may lock a value; the entry is made when missing.
    void SetReadOnly(const QString& name, bool readOnly);

    void AddError(const QString& message, const QString& fieldPattern);
    // Removes the errors whose field pattern matches `name`.
    void RemoveErrorsFor(const QString& name);
    void ClearErrors();
    // The messages joined by CR LF.
    QString ErrorText() const;

    const std::vector<my_field_entry>& entries() const { return m_entries; }
    const std::vector<my_error>& errors() const { return m_errors; }

private:
    std::vector<my_field_entry> m_entries;
    // Entries are never removed, so an index into m_entries stays valid; it
    // keeps lookups constant-time for forms with thousands of values.
    QHash<QString, size_t> m_index;
    std::vector<my_error> m_errors;
};
