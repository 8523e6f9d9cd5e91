#include "forms/form_compiler.h"
#include "forms/form_descriptions.h"
#include "forms/form_record.h"
#include "forms/list_rows.h"
#include "operator_messages.h"

#include <gtest/gtest.h>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

// Rows are read out of the values' names through every field of the row,
// also inside a group; a TEXT field is searched through the content the form
// gives for it, with its commands dropped, and only rows after the first
// visible one count.
TEST(ListRowsTest, RowsWithValuesAndTheSearch)
{
    CollectedMessages messages;
    const auto form =
        CompileFormText(S("BEGIN LIST '#' OF 3 ON 0,0,100,60 BEGIN FIELD 'A#' ON 0,0,40 "
                          "ON 50,0 BEGIN TEXT 'T#' ON 0,0,40,20 END END END"),
                        messages);
    ASSERT_TRUE(messages.lines().isEmpty());
    const auto& list = static_cast<const my_list&>(*form->children.front());
    const std::vector<ListRowField> fields = ListRowFields(list, QString());
    ASSERT_EQ(fields.size(), 2u);
    EXPECT_EQ(fields[0].pattern, S("A?"));
    EXPECT_TRUE(fields[1].text);

    my_record record;
    for (const char* name : {"A7", "A2", "X3", "T5", "A2x"})
        record.SetValue(S(name), S("wartość"));
    EXPECT_EQ(RowsWithValues(record, fields), (std::vector<int>{2, 5, 7}));

    const FormEventHook hook = [](FormEvent event, my_record&, const QString& name) {
        if (event == FormEvent::Announce && name == S("T5"))
            return std::optional<QStringList>(QStringList{S("Pan \x1b"
                                                            "CR\x1aTadeusz")});
        return std::optional<QStringList>();
    };
    EXPECT_EQ(SearchListRows(record, fields, 1, S("tade?sz"), hook), 5);
    EXPECT_EQ(SearchListRows(record, fields, 1, S("WARTOŚĆ"), hook), 2);
    EXPECT_EQ(SearchListRows(record, fields, 5, S("wartość"), hook), 7);
    EXPECT_EQ(SearchListRows(record, fields, 7, S("wartość"), hook), 0);
}

} // namespace
