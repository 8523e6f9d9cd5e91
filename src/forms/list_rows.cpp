#include "forms/list_rows.h"

#include "forms/form_descriptions.h"
#include "forms/form_matchers.h"
#include "forms/form_record.h"
#include "forms/form_substitutions.h"
#include "forms/text_content.h"

#include <algorithm>

namespace {

void CollectFields(const my_formular& description, const QString& substitutions,
                   std::vector<ListRowField>& fields)
{
    for (const auto& child : description.children) {
        if (child->ClassName() == QLatin1String("my_formular")) {
            CollectFields(*child, substitutions, fields);
            continue;
        }
        const bool text = dynamic_cast<const my_text*>(child.get()) != nullptr;
        for (const QString& name : child->FieldNames(substitutions))
            fields.push_back({name, text});
    }
}

} // namespace

std::vector<ListRowField> ListRowFields(const my_list& list, const QString& substitutions)
{
    std::vector<ListRowField> fields;
    CollectFields(list, AppendSubstitution(substitutions, list.listVariable, QStringLiteral("?")),
                  fields);
    return fields;
}

std::vector<int> RowsWithValues(const my_record& record, const std::vector<ListRowField>& fields)
{
    std::vector<int> rows;
    for (const my_field_entry& entry : record.entries()) {
        if (entry.value.isEmpty())
            continue;
        for (const ListRowField& field : fields) {
            const int row = ExtractRowNumber(entry.name, field.pattern);
            if (row > 0)
                rows.push_back(row);
        }
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

int SearchListRows(my_record& record, const std::vector<ListRowField>& fields, int position,
                   const QString& typed, const FormEventHook& hook)
{
    const QString pattern = u'*' + typed.toUpper() + u'*';
    int found = 0;
    // The hook may change the record, so the names are taken first.
    QStringList names;
    for (const my_field_entry& entry : record.entries())
        names << entry.name;
    for (const QString& name : names) {
        for (const ListRowField& field : fields) {
            const int row = ExtractRowNumber(name, field.pattern);
            if (row <= position || (found != 0 && row >= found))
                continue;
            const QString value =
                field.text && hook
                    ? TextContentForSearch(
                          hook(FormEvent::Announce, record, name).value_or(QStringList()))
                    : record.Value(name);
            if (MatchesSearchPattern(value.toUpper(), pattern))
                found = row;
        }
    }
    return found;
}
