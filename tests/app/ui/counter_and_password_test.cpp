#include "app/ui/tokno_licznika.h"
#include "app/ui/tokno_zmiany_hasla.h"
#include "app/ui/window_dialogs.h"

#include "modal_answers.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(CounterDialogTest, EnteredValueConfirmedCancelledAndRemembered)
{
    TOknoLicznika counter;
    PrepareModalAnswer([&counter](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Dodaj"));
        EXPECT_EQ(dialog.pos(), QPoint(120, 80));
        ShowAnsweredWindow(dialog);
        EXPECT_EQ(QApplication::focusWidget(), counter.SpinEdit());
        // The selected first value is typed over; Enter confirms.
        QTest::keyClicks(counter.SpinEdit(), QStringLiteral("-3"));
        QTest::keyClick(counter.SpinEdit(), Qt::Key_Return);
        return dialog.result();
    });
    EXPECT_EQ(counter.Ask(QPoint(120, 80)), -3);

    PrepareModalAnswer([&counter](QDialog& dialog) {
        EXPECT_EQ(counter.SpinEdit()->value(), -3);
        EXPECT_EQ(dialog.pos(), QPoint(300, 10));
        return static_cast<int>(QDialog::Rejected);
    });
    EXPECT_EQ(counter.Ask(QPoint(300, 10)), 0);
}

TEST(PasswordWindowTest, PlacedLabelledAndCleared)
{
    TOknoZmianyHasla window;
    QString password = QStringLiteral("przed");
    PrepareModalAnswer([&window](QDialog& dialog) {
        EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                  QStringLiteral("Nowe hasło:"));
        EXPECT_EQ(dialog.pos(), QPoint(40, 50));
        EXPECT_EQ(window.PasswordField()->echoMode(), QLineEdit::Password);
        ShowAnsweredWindow(dialog);
        QTest::keyClicks(window.PasswordField(), QStringLiteral("tajne"));
        QTest::keyClick(window.PasswordField(), Qt::Key_Return);
        return dialog.result();
    });
    EXPECT_TRUE(window.Ask(QStringLiteral("Nowe hasło:"), false, QPoint(40, 50), password));
    EXPECT_EQ(password, QStringLiteral("tajne"));
    EXPECT_TRUE(window.PasswordField()->text().isEmpty()) << "the password is not kept";

    // Forced: centred on the desktop, whatever point is given.
    window.PasswordField()->setText(QStringLiteral("zostało"));
    PrepareModalAnswer([&window](QDialog& dialog) {
        EXPECT_TRUE(window.PasswordField()->text().isEmpty());
        EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                  QStringLiteral("Powtórz nowe hasło:"));
        const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
        EXPECT_LE((dialog.geometry().center() - centre).manhattanLength(), 2);
        window.PasswordField()->setText(QStringLiteral("inne"));
        return static_cast<int>(QDialog::Rejected);
    });
    EXPECT_FALSE(window.Ask(QStringLiteral("Powtórz nowe hasło:"), true, QPoint(40, 50), password));
    EXPECT_EQ(password, QStringLiteral("tajne"));
}

TEST(WindowDialogsTest, AnswersThroughTheProgramsWindows)
{
    TOknoZmianyHasla passwordWindow;
    WindowDialogs dialogs(passwordWindow);
    QStringList seen;
    Answer(kAnswerYes, &seen);
    EXPECT_TRUE(dialogs.AskYes(QStringLiteral("Połączyć?")));
    Answer(kAnswerCancel, &seen);
    EXPECT_FALSE(dialogs.AskYes(QStringLiteral("Jeszcze raz?")));
    PrepareModalAnswer([&seen](QDialog& dialog) {
        EXPECT_EQ(dialog.objectName(), QStringLiteral("PlainMessage"));
        seen << WindowText(dialog);
        return 0;
    });
    dialogs.ShowPlain(QStringLiteral("Złe hasło <admin>"));
    EXPECT_EQ(seen, QStringList({QStringLiteral("Pytanie: Połączyć?"),
                                 QStringLiteral("Pytanie: Jeszcze raz?"),
                                 QGuiApplication::applicationDisplayName() +
                                     QStringLiteral(": Złe hasło <admin>")}));

    dialogs.SetPasswordWindowPosition(QPoint(70, 90));
    PrepareModalAnswer([](QDialog& dialog) {
        EXPECT_EQ(dialog.pos(), QPoint(70, 90));
        return static_cast<int>(QDialog::Rejected);
    });
    QString password;
    EXPECT_FALSE(dialogs.AskPassword(QStringLiteral("Nowe hasło:"), false, password));
}

TEST(WindowDialogsTest, BusyCursorIsBalanced)
{
    TOknoZmianyHasla passwordWindow;
    QGuiApplication::setOverrideCursor(Qt::ArrowCursor); // someone else's
    {
        WindowDialogs dialogs(passwordWindow);
        dialogs.SetBusy(true);
        dialogs.SetBusy(true);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        dialogs.SetBusy(false);
        dialogs.SetBusy(false);
        dialogs.SetBusy(false); // one too many: not ours to take away
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::ArrowCursor);
        dialogs.SetBusy(true); // left over when the dialogs go away
    }
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::ArrowCursor);
    QGuiApplication::restoreOverrideCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

} // namespace
