#include "forms/form_compiler.h"
#include "forms/form_value_formats.h"
#include "forms/parameter_run.h"
#include "operator_messages.h"

#include "description_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

// The window is as wide as the form and the bottom panel's visible controls
// (the group box 202, the button 84, each with 5 around), and as high as the
// form and the 39-pixel bottom panel with 10 to spare.
TEST(ParameterWindowClientSize, FitsTheFormAndTheBottomPanel)
{
    struct Row
    {
        const char* form;
        bool group;
        bool button;
        QSize size;
    };
    const Row rows[] = {
        /* 0*/ {"BEGIN FIELD 'A' ON 10,20,300 END", false, true, {312, 89}},
        /* 1*/ {"BEGIN FIELD 'A' ON 10,20,30 END", false, true, {94, 89}},
        /* 2*/ {"BEGIN FIELD 'A' ON 10,20,30 END", true, true, {296, 89}},
        /* 3*/ {"BEGIN FIELD 'A' ON 10,20,30 END", false, false, {42, 89}},
        /* 4*/ {"BEGIN END", false, true, {94, 49}},
    };
    for (const Row& row : rows) {
        CollectedMessages messages;
        const auto form = CompileFormText(S(row.form), messages);
        ASSERT_TRUE(form);
        EXPECT_EQ(ParameterWindowClientSize(*form, row.group, row.button), row.size) << row.form;
    }
}

class ParameterRunTest : public testing::Test
{
protected:
    QString Description(const char* text) { return WriteDescription(m_dir, text); }

    QTemporaryDir m_dir;
    CollectedMessages m_messages;
};

// The window's settings hold while the run lives and go back after it.
TEST_F(ParameterRunTest, SettingsHoldForTheRunOnly)
{
    const FormRunSettings before{120, QChar(u'.'), S("Liberation Mono/-12/")};
    ApplyFormRunSettings(before);
    {
        const auto run = ParameterRun::Open(Description("BEGIN END"), QString(), m_messages);
        ASSERT_TRUE(run);
        EXPECT_EQ(CurrentFormRunSettings(), ParameterWindowSettings());
        EXPECT_EQ(NumberDecimalSeparator(), QChar(u','));
    }
    EXPECT_EQ(CurrentFormRunSettings(), before);
    ApplyFormRunSettings(FormRunSettings());
}

TEST_F(ParameterRunTest, AMissingDescriptionOpensNothing)
{
    const QString missing = m_dir.filePath(S("brak.tmp"));
    EXPECT_FALSE(ParameterRun::Open(missing, QString(), m_messages));
    ASSERT_EQ(m_messages.lines().size(), 1);
    EXPECT_TRUE(m_messages.lines()[0].startsWith(S("Brak pliku")))
        << m_messages.lines()[0].toStdString();
    EXPECT_EQ(CurrentFormRunSettings(), FormRunSettings());
}

// Confirming gives every value of the record in order, the loaded ones
// first, also those the form has no field for; "||" for none; errors send
// the operator back to the form, and a corrected form goes through.
TEST_F(ParameterRunTest, ConfirmingGivesTheValuesOrTheErrors)
{
    const QString description = Description("BEGIN DATE 'D' ON 0,0,80 END");
    const auto empty = ParameterRun::Open(description, QString(), m_messages);
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->Confirm().parameterText, S("||"));

    const QString initial = S("X|a\x1b"
                              "1b|D|20260231|");
    const auto run = ParameterRun::Open(description, initial, m_messages);
    ASSERT_TRUE(run);
    run->Record().SetValue(S("N"), S("5"));
    run->Record().AddError(S("Błędna data \"31.02.2026\""), S("D"));
    ParameterRun::Outcome outcome = run->Confirm();
    EXPECT_FALSE(outcome.accepted);
    EXPECT_EQ(outcome.errorText, S("Błędna data \"31.02.2026\""));
    run->Record().SetValue(S("D"), S("20260228"));
    outcome = run->Confirm();
    EXPECT_TRUE(outcome.accepted);
    EXPECT_EQ(outcome.parameterText, S("X|a\x1b"
                                       "1b|D|20260228|N|5|"));
    EXPECT_TRUE(m_messages.lines().isEmpty());
}

} // namespace
