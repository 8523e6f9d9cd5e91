#include "forms/date_validation.h"
#include "forms/form_compiler.h"
#include "forms/form_matchers.h"
#include "forms/form_record.h"
#include "forms/form_substitutions.h"
#include "forms/form_value_formats.h"
#include "forms/parameter_text.h"
#include "operator_messages.h"

#include <gtest/gtest.h>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

std::unique_ptr<my_formular> Compile(const char* text, QStringList* shown = nullptr)
{
    CollectedMessages messages;
    auto root = CompileFormText(S(text), messages);
    if (shown)
        *shown = messages.lines();
    return root;
}

template <typename T> const T& Child(const my_formular& root, size_t index)
{
    return dynamic_cast<const T&>(*root.children.at(index));
}

struct NamesCase
{
    const char* text;
    const char* names;
};

class FieldNamesTest : public testing::TestWithParam<NamesCase>
{};

TEST_P(FieldNamesTest, NamesValuesWithSubstitutions)
{
    const auto root = Compile(GetParam().text);
    EXPECT_EQ(root->FieldNames(QString()).join(u' '), S(GetParam().names));
}

INSTANTIATE_TEST_SUITE_P(
    Names, FieldNamesTest,
    testing::Values(
        /* 0*/ NamesCase{"BEGIN LABEL 'L' ON 0,0 FIELD 'A' ON 0,0,1 TEXT 'T' ON 0,0,1,1 "
                         "BUTTON 'B' MASK 'b' ON 0,0,1,1 MENU 'm|M|' LABEL 'x' ON 0,0 END",
                         "A T"},
        /* 1*/
        NamesCase{"BEGIN LIST '#' OF 3 ON 0,0,90,60 BEGIN FIELD 'AUTOR_#' ON 0,0,9 "
                  "NO '#.' ON 0,0 END END",
                  "AUTOR_*"},
        /* 2*/
        NamesCase{"BEGIN TABLE '#' OF 2 MASK ' 40 | Tytuł | T# | x | 20|Rok|R#|' "
                  "ON 0,0,9,9 END",
                  "T1 T2 R1 R2"},
        /* 3*/
        NamesCase{"BEGIN DYNAMIC 'D' OF '$' ON 0,0,9,9 'A' BEGIN FIELD 'X$' ON 0,0,9 END "
                  "'B' BEGIN DATE 'Y$' ON 0,0,9 END END END",
                  "X* Y*"},
        /* 4*/
        NamesCase{"BEGIN TABS ON 0,0,9,9 'p' BEGIN CHECK 'C' MASK 'c' ON 0,0,9 END END "
                  "FORM 'F' MASK 'f' ON 0,0,0,0 BEGIN SPIN 'S' MASK 2 ON 0,0,9 END END",
                  "C S"}));

TEST(FieldNamesTest, NestedListsSubstituteInOrder)
{
    EXPECT_EQ(ApplySubstitutions(S("X_#_$"), S("#|1|$|3|")), S("X_1_3"));
    EXPECT_EQ(ApplySubstitutions(S("A#B#"), S("#|3|")), S("A3B3"));
    EXPECT_EQ(ApplySubstitutions(S("A"), S("A|B|B|C|")), S("C"));
    EXPECT_EQ(ApplySubstitutions(S("AB"), S("|x|")), S("AB"));
}

struct ExtentCase
{
    const char* text;
    int right;
    int bottom;
};

class ExtentTest : public testing::TestWithParam<ExtentCase>
{};

TEST_P(ExtentTest, MeasuresTheForm)
{
    const auto root = Compile(GetParam().text);
    EXPECT_EQ(root->RightExtent(), GetParam().right);
    EXPECT_EQ(root->BottomExtent(), GetParam().bottom);
}

INSTANTIATE_TEST_SUITE_P(
    Extents, ExtentTest,
    testing::Values(
        /* 0*/ ExtentCase{"BEGIN FIELD 'A' ON 10,20,100 END", 110, 40},
        /* 1*/ ExtentCase{"BEGIN LABEL 'a long caption' ON 300,400 END", 300, 400},
        /* 2*/ ExtentCase{"BEGIN LIST '#' OF 2 ON 5,5,100,50 BEGIN END END", 125, 55},
        /* 3*/ ExtentCase{"BEGIN FORM 'F' MASK 't' ON 10,10,110,60 BEGIN END END", 30, 30},
        /* 4*/ ExtentCase{"BEGIN ON 100,50 BEGIN MEMO 'M' ON 10,10,50,30 END END", 160, 90},
        /* 5*/ ExtentCase{"BEGIN MARKERS 'M' MASK 'x' ON 0,0,10,0 END", 10, 20},
        /* 6*/ ExtentCase{"BEGIN TEXT 'T' ON 10, 20 END", 210, 120},
        /* 7*/ ExtentCase{"BEGIN TEXT 'T' ON 2147483647,0,10,10 END", 2147483647, 10}));

TEST(DescriptionTest, StatementsSetTheirProperties)
{
    QStringList shown;
    const auto root = Compile(
        "BEGIN NUMBER 'KWOTA' MASK SIGNED 8, 2 ON 0,0,80 NUMBER 'N' MASK SIGNED 10, 2 ON 0,0,9 "
        "NUMBER 'P' MASK 5 ON 0,0,9 SPIN 'A' MASK 3 LIMIT 50 ON 0,0,9 "
        "SPIN 'B' MASK 3 LIMIT 5, 50 ON 0,0,9 SPIN 'C' MASK 3 ON 0,0,9 "
        "FORM 'F' MASK 'Okno' ON 10,10,110,60 BEGIN END "
        "LIST '#' OF 4 ON 0,0,100,84 BEGIN END "
        "COMBO 'K' MASK 'T|Tak|N|Nie|A~B||' ON 0,0,9 "
        "FIELD 'L' LIMIT 12 PASSWORD ON 0,0,9 END",
        &shown);
    EXPECT_TRUE(shown.isEmpty()) << shown.join(u'\n').toStdString();
    EXPECT_EQ(Child<my_number>(*root, 0).editMask, S("#9999,99;0; "));
    EXPECT_EQ(Child<my_number>(*root, 1).editMask, S("#999999,99;0; "));
    EXPECT_EQ(Child<my_number>(*root, 2).editMask, S("99999;0; "));
    EXPECT_EQ(Child<my_spin>(*root, 3).minimum, 1);
    EXPECT_EQ(Child<my_spin>(*root, 3).maximum, 50);
    EXPECT_EQ(Child<my_spin>(*root, 4).minimum, 5);
    EXPECT_EQ(Child<my_spin>(*root, 4).maximum, 50);
    EXPECT_EQ(Child<my_spin>(*root, 5).maximum, 10000);
    const auto& form = Child<my_form>(*root, 6);
    EXPECT_EQ(EvaluateTree(form.windowOffsetX), 100);
    EXPECT_EQ(EvaluateTree(form.windowOffsetY), 50);
    EXPECT_TRUE(form.picture.isEmpty());
    EXPECT_EQ(EvaluateTree(Child<my_list>(*root, 7).rowHeight), 20);
    const auto& combo = Child<my_combo>(*root, 8);
    EXPECT_EQ(combo.values, QStringList({S("T"), S("N"), S("A|B")}));
    EXPECT_EQ(combo.labels, QStringList({S("Tak"), S("Nie"), S("*")}));
    EXPECT_EQ(Child<my_lineedit>(*root, 9).maxLength, 12);
    EXPECT_TRUE(Child<my_lineedit>(*root, 9).password);
}

TEST(DescriptionTest, FaultyComboListsAreShown)
{
    QStringList shown;
    const auto root = Compile("BEGIN COMBO 'K' MASK 'T|Tak|N' ON 0,0,9 "
                              "COMBO 'E' MASK '' ON 0,0,9 END",
                              &shown);
    EXPECT_EQ(shown, QStringList({S("Błąd pola COMBO: K"), S("Brak listy wartości pola E")}));
    EXPECT_EQ(Child<my_combo>(*root, 0).values, QStringList({S("T"), S("N")}));
    EXPECT_EQ(Child<my_combo>(*root, 0).labels, QStringList({S("Tak"), S("*")}));
    EXPECT_EQ(Child<my_combo>(*root, 1).values, QStringList({QString()}));
}

TEST(DescriptionTest, MenuTextNestsSubmenus)
{
    const auto items = ParseMenuText(S("a|A||Sub|b|B|||z||c|C|"));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].name, S("a"));
    EXPECT_EQ(items[1].caption, S("Sub"));
    ASSERT_EQ(items[1].items.size(), 1u);
    EXPECT_EQ(items[1].items[0].name, S("b"));
}

TEST(RecordTest, SetsValuesAndKeepsOrder)
{
    my_record record;
    record.SetValue(S("A"), QString());
    EXPECT_TRUE(record.entries().empty());
    record.SetValue(S("A"), S("1"));
    record.SetValue(S("B"), S("2"));
    record.SetValue(S("A"), QString());
    ASSERT_EQ(record.entries().size(), 2u);
    EXPECT_EQ(record.entries()[0].name, S("A"));
    EXPECT_EQ(record.Value(S("A")), QString());
    EXPECT_EQ(record.Value(S("b")), QString());
    EXPECT_EQ(BuildParameterText(record), S("A||B|2|"));
}

TEST(RecordTest, ErrorsAreRemovedByPattern)
{
    my_record record;
    record.AddError(S("one"), S("D_*|X"));
    record.AddError(S("two"), S("E"));
    EXPECT_EQ(record.ErrorText(), S("one\r\ntwo"));
    record.RemoveErrorsFor(S("D_3"));
    EXPECT_EQ(record.ErrorText(), S("two"));
    record.ClearErrors();
    EXPECT_TRUE(record.errors().empty());
}

TEST(ParameterTextTest, RoundTripsBars)
{
    my_record record;
    record.SetValue(S("A"), S("x|y"));
    record.SetValue(S("B|C"), S("z"));
    const QString text = BuildParameterText(record);
    EXPECT_EQ(text, S("A|x\x1b"
                      "1y|B\x1b"
                      "1C|z|"));
    my_record loaded;
    LoadParameterText(text, loaded);
    EXPECT_EQ(loaded.Value(S("A")), S("x|y"));
    EXPECT_EQ(loaded.Value(S("B|C")), S("z"));
    EXPECT_EQ(BuildParameterText(my_record()), S("||"));
}

struct LoadCase
{
    const char* text;
    const char* rebuilt;
};

class LoadTest : public testing::TestWithParam<LoadCase>
{};

TEST_P(LoadTest, LoadsInitialValues)
{
    my_record record;
    LoadParameterText(S(GetParam().text), record);
    EXPECT_EQ(BuildParameterText(record), S(GetParam().rebuilt));
}

INSTANTIATE_TEST_SUITE_P(Texts, LoadTest,
                         testing::Values(
                             /* 0*/ LoadCase{"||", "||"},
                             /* 1*/ LoadCase{"", "||"},
                             /* 2*/ LoadCase{"A|1|B", "A|1|"},
                             /* 3*/ LoadCase{"A|1|B|2", "A|1|B|2|"},
                             /* 4*/ LoadCase{"A||B|2|", "B|2|"},
                             /* 5*/ LoadCase{"A|1|A|2|", "A|2|"}));

struct DateCase
{
    const char* shown; // the mask's digits
    const char* stored;
    const char* error;
};

class DateTest : public testing::TestWithParam<DateCase>
{};

TEST_P(DateTest, StoresAndValidates)
{
    const DateCase& c = GetParam();
    const QString stored = DateMaskToStored(S(c.shown));
    EXPECT_EQ(stored, S(c.stored));
    EXPECT_EQ(DateValueError(stored), S(c.error));
    my_record record;
    record.SetValue(S("D"), stored);
    EXPECT_EQ(ValidateDateField(record, S("D")), *c.error == 0);
    EXPECT_EQ(record.ErrorText(), S(c.error));
}

INSTANTIATE_TEST_SUITE_P(
    Dates, DateTest,
    testing::Values(
        /* 0*/ DateCase{"24122023", "20231224", ""},
        /* 1*/ DateCase{"", "", ""},
        /* 2*/ DateCase{"31022023", "20230231", "Błędna data \"31.02.2023\""},
        /* 3*/ DateCase{"1203", "    0312", "Data powinna mieć postać DD.MM.RRRR"},
        /* 4*/ DateCase{"29022024", "20240229", ""},
        /* 5*/ DateCase{"29021900", "19000229", "Błędna data \"29.02.1900\""},
        /* 6*/ DateCase{"24122023   ", "20231224", ""}));

TEST(DateTest, ShowsDayMonthYear)
{
    EXPECT_EQ(DateStoredToMask(S("20231224")), S("24122023"));
}

class SeparatorScope
{
public:
    explicit SeparatorScope(QChar separator) : m_saved(NumberDecimalSeparator())
    {
        SetNumberDecimalSeparator(separator);
    }
    ~SeparatorScope() { SetNumberDecimalSeparator(m_saved); }

private:
    QChar m_saved;
};

struct NumberCase
{
    const char* maskText;
    int digits;
    int decimals;
    const char* stored;
};

class NumberTest : public testing::TestWithParam<NumberCase>
{};

TEST_P(NumberTest, StoresFromTheMask)
{
    const SeparatorScope comma(u',');
    const NumberCase& c = GetParam();
    EXPECT_EQ(NumberMaskToStored(S(c.maskText), c.digits, c.decimals), S(c.stored));
}

INSTANTIATE_TEST_SUITE_P(Numbers, NumberTest,
                         testing::Values(
                             /* 0*/ NumberCase{"1234 5 ", 8, 2, " 1234,50"},
                             /* 1*/ NumberCase{"  12345", 8, 2, "  123,45"},
                             /* 2*/ NumberCase{"12", 8, 2, "   12,00"},
                             /* 3*/ NumberCase{"", 8, 2, "     ,00"},
                             /* 4*/ NumberCase{" 4 2 ", 5, 0, "   42"},
                             /* 5*/ NumberCase{"123456", 3, 0, "123456"}));

TEST(NumberTest, ShowsStoredValues)
{
    const SeparatorScope comma(u',');
    EXPECT_EQ(NumberStoredToMask(S("  123,45"), 8, 2, false), S("  12345"));
    EXPECT_EQ(NumberStoredToMask(S("-12"), 6, 0, true), S("-   12"));
    EXPECT_EQ(NumberStoredToMask(S("-12"), 6, 0, false), S("   -12"));
    EXPECT_TRUE(NumberIsNegative(S("-1")));
    EXPECT_TRUE(NumberIsNegative(S("   -12,50")));
    SetNumberDecimalSeparator(u'.');
    EXPECT_EQ(NumberMaskToStored(S("12"), 5, 1), S(" 12.0"));
}

TEST(ValueFormatTest, SpinCheckComboMemoDynamic)
{
    EXPECT_EQ(FormatSpinValue(SpinValueOf(S("abc"), 1, 50), 3), S("  1"));
    EXPECT_EQ(FormatSpinValue(SpinValueOf(S(" 42 "), 1, 50), 3), S(" 42"));
    EXPECT_EQ(SpinValueOf(S("x"), -5, 5), 0);
    EXPECT_EQ(SpinValueOf(S("x"), -5, -1), -5);
    EXPECT_EQ(FormatSpinValue(12345, 3), S("12345"));
    EXPECT_TRUE(CheckIsTicked(CheckStoredValue(true)));
    EXPECT_FALSE(CheckIsTicked(QString()));
    EXPECT_EQ(CheckStoredValue(false), S("F"));
    EXPECT_EQ(ComboChoiceIndex({S("T"), S("N")}, S("N")), 1);
    EXPECT_EQ(ComboChoiceIndex({S("T"), S("N")}, S("X")), 0);
    EXPECT_EQ(MemoTextToStored(S("a\r\nb\nc")), S("a\x1b/b\x1b/c"));
    EXPECT_EQ(MemoStoredToText(S("a\x1b/b"), S("\r\n")), S("a\r\nb"));
    EXPECT_EQ(RemoveControlCharacters(S("a\tb\r\nc")), S("abc"));
    const auto instances = ParseDynamicInstances(S("A|1|U|B|2||C|3"));
    ASSERT_EQ(instances.size(), 3u);
    EXPECT_EQ(instances[0].flag, S("U"));
    EXPECT_EQ(instances[2].flag, QString());
    EXPECT_EQ(WriteDynamicInstances(instances), S("A|1|U|B|2||C|3||"));
}

struct MatchCase
{
    const char* text;
    const char* pattern;
    bool error;
    bool search;
};

class MatchTest : public testing::TestWithParam<MatchCase>
{};

TEST_P(MatchTest, MatchesWholeText)
{
    const MatchCase& c = GetParam();
    EXPECT_EQ(MatchesErrorPattern(S(c.text), S(c.pattern)), c.error);
    EXPECT_EQ(MatchesSearchPattern(S(c.text), S(c.pattern)), c.search);
}

INSTANTIATE_TEST_SUITE_P(Patterns, MatchTest,
                         testing::Values(
                             /* 0*/ MatchCase{"DATA_1", "DATA_*", true, true},
                             /* 1*/ MatchCase{"data_1", "DATA_*", false, false},
                             /* 2*/ MatchCase{"X", "A|X", true, false},
                             /* 3*/ MatchCase{"AB", "A?", false, true},
                             /* 4*/ MatchCase{"A*", "A\\*", false, true},
                             /* 5*/ MatchCase{"AB", "A\\*", false, false},
                             /* 6*/ MatchCase{"", "*", true, true},
                             /* 7*/ MatchCase{"ABCABD", "*AB?", false, true},
                             /* 8*/ MatchCase{"ABC", "AB", false, false}));

TEST(MatchTest, ExtractsRowNumbers)
{
    EXPECT_EQ(ExtractRowNumber(S("AUTOR_12"), S("AUTOR_?")), 12);
    EXPECT_EQ(ExtractRowNumber(S("X_3_7"), S("X_?_*")), 3);
    EXPECT_EQ(ExtractRowNumber(S("A5B5"), S("A?B?")), 5);
    EXPECT_EQ(ExtractRowNumber(S("A5B6"), S("A?B?")), 0);
    EXPECT_EQ(ExtractRowNumber(S("AUTOR_x"), S("AUTOR_?")), 0);
    EXPECT_EQ(ExtractRowNumber(S("TYTUL_1"), S("AUTOR_?")), 0);
    EXPECT_EQ(ExtractRowNumber(S("A.1"), S("A.?")), 1);
}

} // namespace
