#pragma once

#include "forms/form_event_hook.h"

#include <QString>
#include <QStringList>

#include <vector>

class my_list;

// One field of a LIST's rows as a row pattern: its name with the list's
// variable written "?", so that the row number can be read out of a value's
// name. TEXT fields are searched through their content, not their value.
struct ListRowField
{
    QString pattern;
    bool text = false;
};

std::vector<ListRowField> ListRowFields(const my_list& list, const QString& substitutions);

// The row numbers, in order and each once, for which the record holds a
// value of one of the fields.
std::vector<int> RowsWithValues(const my_record& record, const std::vector<ListRowField>& fields);

// The smallest row after `position` with a value that matches `typed` as a
// librarian searches ("*" and "?" allowed, letter case ignored, anywhere in
// the value); TEXT fields are tested on the content the form gives for
// them. 0 when no row matches.
int SearchListRows(my_record& record, const std::vector<ListRowField>& fields, int position,
                   const QString& typed, const FormEventHook& hook);
