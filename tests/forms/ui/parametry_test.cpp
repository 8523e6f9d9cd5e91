#include "app/ui/modal_runner.h"
#include "forms/form_run_settings.h"
#include "forms/ui/parametry.h"
#include "modal_answers.h"

#include "description_file.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

class ParametryTest : public testing::Test
{
protected:
    QString Description(const char* text) { return WriteDescription(m_dir, text); }

    // The next parameter window: shown, `date` typed over the first field,
    // then "Wykonaj" pressed, as a librarian does it.
    void AnswerWithDate(const char* date)
    {
        PrepareModalAnswer([this, date](QDialog& dialog) {
            ShowAnsweredWindow(dialog);
            m_sizes << dialog.size();
            auto* field = dialog.findChild<QLineEdit*>();
            field->setFocus();
            field->selectAll();
            QTest::keyClicks(field, S(date));
            QTest::mouseClick(dialog.findChild<QPushButton*>(S("Button1")), Qt::LeftButton);
            return dialog.result();
        });
    }

    QTemporaryDir m_dir;
    TOknoParametrow m_window;
    QList<QSize> m_sizes;
};

// A wrong date is shown and the form opens again as it was left; the
// corrected form gives the values, the loaded ones first, and the window
// sized for the form; the settings of the run go back afterwards.
TEST_F(ParametryTest, ErrorsOpenTheFormAgain)
{
    const QString form = Description("BEGIN DATE 'D' ON 10,10,90 FIELD 'A' ON 10,40,200 END");
    QStringList seen;
    AnswerWithDate("31022026");
    Answer(QDialog::Accepted, &seen);
    AnswerWithDate("28022026");
    const QString text = m_window.run(S("Odwiedziny"), form, S("Wykonaj"),
                                      S("X|a\x1b"
                                        "1b|"));
    EXPECT_EQ(text, S("X|a\x1b"
                      "1b|D|20260228|"));
    ASSERT_EQ(seen.size(), 1);
    EXPECT_TRUE(seen[0].endsWith(S("Błędna data \"31.02.2026\""))) << seen[0].toStdString();
    EXPECT_EQ(m_sizes, (QList<QSize>{QSize(212, 109), QSize(212, 109)}));
    EXPECT_EQ(m_window.windowTitle(), S("Odwiedziny"));
    EXPECT_TRUE(m_window.FormPanel()->findChildren<QLineEdit*>().isEmpty());
    EXPECT_EQ(CurrentFormRunSettings(), FormRunSettings());
    EXPECT_EQ(PreparedAnswersLeft(), 0);
}

// Closing the window gives nothing, also after errors; a form without
// fields gives "||"; a missing file says so and gives nothing.
TEST_F(ParametryTest, CancelEmptyAndMissing)
{
    const QString form = Description("BEGIN DATE 'D' ON 10,10,90 END");
    AnswerWithDate("99");
    Answer(QDialog::Accepted);
    Answer(QDialog::Rejected);
    EXPECT_EQ(m_window.run(S("P"), form, S("Wykonaj"), QString()), QString());

    Answer(QDialog::Accepted);
    EXPECT_EQ(m_window.run(S("P"), Description("BEGIN LABEL 'Bez pól' ON 5,5 END"), S("Wykonaj"),
                           QString()),
              S("||"));

    QStringList seen;
    Answer(QDialog::Accepted, &seen);
    EXPECT_EQ(m_window.run(S("P"), m_dir.filePath(S("brak.tmp")), S("Wykonaj"), QString()),
              QString());
    ASSERT_EQ(seen.size(), 1);
    EXPECT_TRUE(seen[0].contains(S("Brak pliku"))) << seen[0].toStdString();
    EXPECT_EQ(PreparedAnswersLeft(), 0);
    EXPECT_TRUE(TakeUnansweredModals().isEmpty());
}

// Enter runs the report even where the form has a default button of its
// own: the window's hook does nothing with a form button, so such a button
// must not take Enter away from "Wykonaj".
TEST_F(ParametryTest, EnterRunsTheReportOverAFormButton)
{
    const QString form = Description("BEGIN FIELD 'A' ON 10,10,90 "
                                     "BUTTON 'OK' MASK 'Szukaj' DEFAULT ON 10,40,80,24 END");
    PrepareModalAnswer([](QDialog& dialog) {
        ShowAnsweredWindow(dialog);
        auto* field = dialog.findChild<QLineEdit*>();
        field->setFocus();
        QTest::keyClicks(field, S("x"));
        QTest::keyClick(field, Qt::Key_Return);
        return dialog.result();
    });
    EXPECT_EQ(m_window.run(S("P"), form, S("Wykonaj"), QString()), S("A|x|"));
}

} // namespace
