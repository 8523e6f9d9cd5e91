#include "forms/form_compiler.h"
#include "operator_messages.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

struct Compiled
{
    std::unique_ptr<my_formular> root;
    QStringList messages; // without the "Linia:" lines
    QStringList all;
};

Compiled Compile(const char* text)
{
    CollectedMessages messages;
    Compiled result;
    result.root = CompileFormText(S(text), messages);
    result.all = messages.lines();
    for (const QString& line : messages.lines()) {
        if (!line.startsWith(QStringLiteral("Linia: ")))
            result.messages << line;
    }
    return result;
}

QString Classes(const my_formular& node)
{
    QStringList parts;
    for (const auto& child : node.children) {
        QString part = child->ClassName();
        if (!child->children.empty())
            part += u'(' + Classes(*child) + u')';
        parts << part;
    }
    return parts.join(u' ');
}

struct CompileCase
{
    const char* text;
    const char* classes;  // the tree under the root
    const char* messages; // joined by " / "
};

class CompileTest : public testing::TestWithParam<CompileCase>
{};

TEST_P(CompileTest, BuildsTreeAndReportsInSyntaxOrder)
{
    const CompileCase& c = GetParam();
    const Compiled result = Compile(c.text);
    ASSERT_TRUE(result.root);
    EXPECT_EQ(Classes(*result.root), S(c.classes));
    EXPECT_EQ(result.messages.join(QStringLiteral(" / ")), S(c.messages));
}

INSTANTIATE_TEST_SUITE_P(
    Statements, CompileTest,
    testing::Values(
        /* 0*/ CompileCase{"begin label 'x' on 1,2 end", "my_label", ""},
        /* 1*/ CompileCase{"BEGIN NO '#.' ON 1,2 END", "my_lp", ""},
        /* 2*/
        CompileCase{"BEGIN TEXT 'T' ON 10, 20 END", "my_text",
                    "Spodziewany przecinek [jest: END] / Spodziewany przecinek [jest: END]"},
        /* 3*/ CompileCase{"BEGIN PANEL 'P' ON 1,2,3,4 END", "my_panel", ""},
        /* 4*/
        CompileCase{"BEGIN FIELD 'A' ON 1,2,3 FIELD 'B' LIMIT 5 PASSWORD ON 1,2,3 END",
                    "my_lineedit my_lineedit", ""},
        /* 5*/ CompileCase{"BEGIN FIELD 'A' MASK '999;0; ' ON 1,2,3 END", "my_mask", ""},
        /* 6*/
        CompileCase{"BEGIN FIELD 'A' LIMIT ON 1,2,3 END", "my_lineedit",
                    "Brak wartości dla LIMIT [jest: ON]"},
        /* 7*/
        CompileCase{"BEGIN MEMO 'M' MULTILINE LIMIT 10 ON 1,2,3,4 MEMO 'N' ON 1,2,3,4 END",
                    "my_memo my_memo", ""},
        /* 8*/ CompileCase{"BEGIN MARKERS 'M' MASK 'x' ON 1,2,3,4 END", "my_markedit", ""},
        /* 9*/
        CompileCase{"BEGIN DATE 'D' ON 1,2,80 DICTIONARY 'K' ON 1,2,3 END", "my_date my_KHW", ""},
        /*10*/ CompileCase{"BEGIN CHECK 'C' MASK 'Tak?' ON 1,2,3 END", "my_check", ""},
        /*11*/ CompileCase{"BEGIN BUTTON 'B' MASK 'OK' DEFAULT ON 1,2,3,4 END", "my_button", ""},
        /*12*/ CompileCase{"BEGIN SPEED 'S' MASK 'nofile.bmp' ON 1,2,3,4 END", "my_speed", ""},
        /*13*/
        CompileCase{"BEGIN MENU 'a|A|' LABEL 'Menu' ON 1,2 MENU 'b|B|' MASK 'x.png' "
                    "ON 1,2,3,4 END",
                    "my_menu my_menu", ""},
        // The abandoning leaves ON current, which starts a group statement.
        /*14*/
        CompileCase{"BEGIN MENU 'a|A|' ON 1,2 END", "my_formular",
                    "Spodziewane słowo MASK lub LABEL [jest: ON] / Spodziewany BEGIN "
                    "[jest: END] / Spodziewany END [jest: ]"},
        /*15*/
        CompileCase{"BEGIN ON 5,5 BEGIN LABEL 'x' ON 0,0 END END", "my_formular(my_label)", ""},
        /*16*/
        CompileCase{"BEGIN LIST '#' OF 3 ON 0,0,100,60 BEGIN FIELD 'A#' ON 0,0,50 END END",
                    "my_list(my_lineedit)", ""},
        /*17*/
        CompileCase{"BEGIN TABS ON 0,0,100,100 'a' BEGIN END 'b' BEGIN END END END",
                    "my_tabs(my_formular my_formular)", ""},
        /*18*/
        CompileCase{"BEGIN FORM 'F' MASK 'Okno' SPEED 'x.bmp' ON 1,1,2,2 BEGIN END END", "my_form",
                    ""},
        /*19*/
        CompileCase{"BEGIN DYNAMIC 'D' OF '$' ON 0,0,9,9 'A' BEGIN END END END",
                    "my_dynamic(my_formular)", ""},
        /*20*/ CompileCase{"BEGIN TABLE '#' OF 2 MASK '10|H|C#|x|' ON 0,0,9,9 END", "my_table", ""},
        /*21*/ CompileCase{"BEGIN COMBO 'C' MASK 'T|Tak|N|Nie|' ON 0,0,9 END", "my_combo", ""},
        /*22*/
        CompileCase{"BEGIN SPIN 'S' MASK 3 LIMIT 5, 50 ON 0,0 END", "my_spin",
                    "Spodziewany przecinek [jest: END]"},
        /*23*/ CompileCase{"BEGIN NUMBER 'N' MASK SIGNED 8, 2 ON 0,0,80 END", "my_number", ""},
        // Every missing element, in the order of the syntax; the statement is
        // abandoned and the blocks end around it.
        /*24*/
        CompileCase{"BEGIN LIST OF", "",
                    "Spodziewana zmienna listy [jest: OF] / Spodziewany END [jest: OF] / "
                    "Pominięty fragment opisu [jest: OF]"},
        /*25*/
        CompileCase{"BEGIN LIST 'x' 3 END", "",
                    "Spodziewane OF [jest: 3] / Spodziewany END [jest: 3] / Pominięty "
                    "fragment opisu [jest: 3]"},
        /*26*/
        CompileCase{"BEGIN FORM 'F' 'T' END", "",
                    "Spodziewane słowo MASK [jest: T] / Spodziewany END [jest: T] / "
                    "Pominięty fragment opisu [jest: T]"},
        /*27*/
        CompileCase{"BEGIN FORM 'F' MASK 'T' SPEED 1 END", "",
                    "Spodziewana nazwa bitmapy [jest: 1] / Spodziewany END [jest: 1] / "
                    "Pominięty fragment opisu [jest: 1]"},
        /*28*/
        CompileCase{"BEGIN DYNAMIC 'D' OF '$' ON 0,0,1,1 'A' BEGIN END", "my_dynamic(my_formular)",
                    "Do DYNAMIC brakuje END [jest: ]"
                    " / Spodziewany END [jest: ]"},
        /*29*/
        CompileCase{"BEGIN LABEL 5 END", "",
                    "Spodziewany łancuch [jest: 5] / Spodziewany END [jest: 5] / "
                    "Pominięty fragment opisu [jest: 5]"},
        /*30*/
        CompileCase{"BEGIN LABEL 'a' + ON 1,2 END", "my_label", "Spodziewany łańcuch [jest: ON]"},
        /*31*/
        CompileCase{"BEGIN COMBO 'C' MASK 7 END", "",
                    "Spodziewana lista dozwolonych wartości [jest: 7] / Spodziewany END "
                    "[jest: 7] / Pominięty fragment opisu [jest: 7]"},
        /*32*/
        CompileCase{"BEGIN TABLE 'r' OF 2 'c' END", "",
                    "Spodziewane słowo MASK [jest: c] / Spodziewany END [jest: c] / "
                    "Pominięty fragment opisu [jest: c]"},
        /*33*/
        CompileCase{"BEGIN MULTILINE END", "", "Błędny element opisu MULTILINE [jest: MULTILINE]"},
        /*34*/
        CompileCase{"LABEL 'x' ON 1,2", "my_label",
                    "Spodziewany BEGIN [jest: LABEL] / Spodziewany END [jest: ]"},
        /*35*/
        CompileCase{"BEGIN END BEGIN LABEL 'x' ON 1,2 END", "",
                    "Pominięty fragment opisu [jest: BEGIN]"},
        // An unrecognised token after the block is not reported.
        /*36*/ CompileCase{"BEGIN END xyz", "", ""},
        /*37*/
        CompileCase{"BEGIN TEXT 'T' 1,2,3,4 END", "my_text",
                    "Spodziewany ON [jest: 1] / Spodziewany przecinek [jest: 1] / "
                    "Spodziewany przecinek [jest: 1] / Spodziewany przecinek [jest: 1] / "
                    "Spodziewany END [jest: 1] / Pominięty fragment opisu [jest: 1]"},
        /*38*/
        CompileCase{"BEGIN MENU 'a|A|' MASK 7 END", "",
                    "Spodziewana nazwa pliku graficznego [jest: 7] / Spodziewany END "
                    "[jest: 7] / Pominięty fragment opisu [jest: 7]"},
        // Comments of both kinds; text after the closing brace is read.
        /*39*/
        CompileCase{"BEGIN ; LABEL 'x' ON 1,2\n{ LABEL 'y'\n ON 1,2 } LABEL 'z' ON 1,2 END",
                    "my_label", ""},
        // A digit ends a word: MEMO2 is MEMO and 2.
        /*40*/
        CompileCase{"BEGIN MEMO2 END", "",
                    "Spodziewany identyfikator pola [jest: 2] / Spodziewany END [jest: 2] / "
                    "Pominięty fragment opisu [jest: 2]"},
        /*41*/
        CompileCase{"BEGIN LABEL \"x\" ON 1,2 END", "",
                    "Spodziewany łancuch [jest: \"] / Spodziewany END [jest: \"]"},
        /*42*/
        CompileCase{"BEGIN TEXT 'T' ON (1, 2, 3, 4 END", "my_text",
                    "Brak nawiasu zamykającego [jest: ,]"},
        /*43*/
        CompileCase{"BEGIN TEXT 'T' ON 1/0, 2, 3, 4 END", "my_text", "Błędne wyrażenie [jest: ,]"},
        /*44*/
        CompileCase{"BEGIN TEXT 'T' ON 99999999999, 2, 3, 4 END", "my_text",
                    "Błędne wyrażenie [jest: 99999999999]"},
        /*45*/
        CompileCase{"BEGIN TEXT 'T' ON 1 ,, 3, 4 END", "my_text", "Błędne wyrażenie [jest: ,]"},
        /*46*/
        CompileCase{"BEGIN 'a' 'b' END", "",
                    "Spodziewany END [jest: a] / Pominięty fragment opisu [jest: a]"}));

TEST(CompileTest, ErrorShowsTheLineAfterTheMessage)
{
    const Compiled result = Compile("BEGIN\n  LABEL ON 1,2\nEND");
    ASSERT_GE(result.all.size(), 2);
    EXPECT_EQ(result.all[0], S("Spodziewany łancuch [jest: ON]"));
    EXPECT_EQ(result.all[1], S("Linia: \"  LABEL ON 1,2\""));
}

TEST(CompileTest, MissingFileIsReportedAndYieldsNothing)
{
    CollectedMessages messages;
    EXPECT_FALSE(CompileForm(QStringLiteral("/nonexistent/PARAMS.TMP"), messages));
    EXPECT_EQ(messages.lines(), QStringList{S("Brak pliku \"/nonexistent/PARAMS.TMP\"")});
}

TEST(CompileTest, FileIsReadInTheCodePage)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("PARAMS.TMP"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    // "Łódź" in windows-1250.
    file.write("BEGIN\r\nLABEL '\xa3\xf3\x64\x9f' ON 1,2\r\nEND\r\n");
    file.close();
    CollectedMessages messages;
    const auto root = CompileForm(path, messages);
    ASSERT_TRUE(root);
    EXPECT_TRUE(messages.lines().isEmpty());
    ASSERT_EQ(root->children.size(), 1u);
    EXPECT_EQ(static_cast<const my_label&>(*root->children[0]).caption, S("Łódź"));
}

struct StringCase
{
    const char* text;
    const char* value;
};

class StringTest : public testing::TestWithParam<StringCase>
{};

TEST_P(StringTest, JoinsPiecesAndCodes)
{
    const QString text = S("BEGIN LABEL ") + S(GetParam().text) + S(" ON 0,0 END");
    const Compiled result = Compile(text.toUtf8().constData());
    ASSERT_EQ(result.root->children.size(), 1u) << result.messages.join(u'\n').toStdString();
    EXPECT_EQ(static_cast<const my_label&>(*result.root->children[0]).caption, S(GetParam().value));
}

INSTANTIATE_TEST_SUITE_P(Pieces, StringTest,
                         testing::Values(
                             /* 0*/ StringCase{"'a'\\13\\10'b'", "a\r\nb"},
                             /* 1*/ StringCase{"'it''s'", "its"},
                             /* 2*/ StringCase{"'it'\\39's'", "it's"},
                             /* 3*/ StringCase{"'Data ' + 'od'", "Data od"},
                             /* 4*/ StringCase{"\\65\\66", "AB"},
                             /* 5*/ StringCase{"'a;b{c}'", "a;b{c}"},
                             /* 6*/ StringCase{"\\321", "Ł"}));

TEST(CompileTest, SeparatedPiecesAreTwoStrings)
{
    const Compiled result = Compile("BEGIN LABEL 'a' \\13 ON 0,0 END");
    EXPECT_EQ(result.messages.value(0), S("Spodziewany ON [jest: \r]"));
}

TEST(CompileTest, UnclosedApostropheIsNoString)
{
    const Compiled result = Compile("BEGIN LABEL 'abc\nON 0,0 END");
    EXPECT_EQ(result.messages.value(0), S("Spodziewany łancuch [jest: 'abc]"));
}

struct ExpressionCase
{
    const char* expression;
    int value;
};

class ExpressionTest : public testing::TestWithParam<ExpressionCase>
{};

TEST_P(ExpressionTest, EvaluatesWithPrecedenceAndRounding)
{
    const QString text = S("BEGIN LABEL 'x' ON ") + S(GetParam().expression) + S(", 0 END");
    const Compiled result = Compile(text.toUtf8().constData());
    ASSERT_TRUE(result.messages.isEmpty()) << result.messages.join(u'\n').toStdString();
    EXPECT_EQ(EvaluateTree(result.root->children.at(0)->left), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Trees, ExpressionTest,
                         testing::Values(
                             /* 0*/ ExpressionCase{"-2*3+4", -2},
                             /* 1*/ ExpressionCase{"7/2", 4},
                             /* 2*/ ExpressionCase{"5/2", 2},
                             /* 3*/ ExpressionCase{"-(5-10)/2", 2},
                             /* 4*/ ExpressionCase{"2+3*4", 14},
                             /* 5*/ ExpressionCase{"(2+3)*4", 20},
                             /* 6*/ ExpressionCase{"10-4-3", 3},
                             /* 7*/ ExpressionCase{"+8/3", 3},
                             /* 8*/ ExpressionCase{"2147483647+1", -2147483647 - 1},
                             /* 9*/ ExpressionCase{"-7/2", -4}));

TEST(ExpressionTest, CopiesShareNothing)
{
    ExpressionTree tree = FormExpression::Binary(
        FormExpression::Kind::Add, FormExpression::Constant(1), FormExpression::Constant(2));
    ExpressionTree copy = CloneTree(tree);
    tree.reset();
    EXPECT_EQ(EvaluateTree(copy), 3);
    EXPECT_EQ(EvaluateTree(tree), 0);
}

TEST(ExpressionTest, EvaluationNeverDividesByZero)
{
    const auto tree = FormExpression::Binary(
        FormExpression::Kind::Divide, FormExpression::Constant(5), FormExpression::Constant(0));
    EXPECT_EQ(tree->Evaluate(), 0);
    const auto extreme = FormExpression::Binary(FormExpression::Kind::Divide,
                                                FormExpression::Constant(-2147483647 - 1),
                                                FormExpression::Constant(-1));
    EXPECT_EQ(extreme->Evaluate(), 2147483647);
}

TEST(CompileTest, DeepNestingEndsWithMessagesNotACrash)
{
    QString text;
    for (int i = 0; i < 5000; ++i)
        text += QStringLiteral("BEGIN ON 0,0 ");
    text += QStringLiteral("LABEL 'x' ON ") + QString(5000, u'(') + QStringLiteral("1");
    CollectedMessages messages;
    const auto root = CompileFormText(text, messages);
    ASSERT_TRUE(root);
    EXPECT_FALSE(messages.lines().isEmpty());
}

} // namespace
