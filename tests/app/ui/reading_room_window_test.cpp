// The reading-room window against nura-sim's demo server: logging in, the
// buttons and their counts, the barcode box, the menus, and closing.
#include "app/autologin_file.h"
#include "app/ui/my_button.h"
#include "app/ui/program_windows.h"
#include "app/ui/tokno_czytelni.h"
#include "app/ui/tokno_licznika.h"
#include "app/ui/tokno_logowania.h"
#include "catalog/current_session.h"
#include "catalog/twypozyczalnia.h"
#include "client/https_settings.h"
#include "e2e_client.h"
#include "modal_answers.h"
#include "reports/ui/zestawienie.h"
#include "started_program.h"

#include <QApplication>
#include <QDate>
#include <QFileDialog>
#include <QGroupBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

// The next login window is filled in and "Zaloguj" pressed.
void AnswerLogin(const QString& user, const QString& password)
{
    PrepareModalAnswer([user, password](QDialog& dialog) {
        auto* login = qobject_cast<TOknoLogowania*>(&dialog);
        if (login == nullptr)
            return static_cast<int>(QDialog::Rejected);
        login->UserField()->setText(user);
        login->PasswordField()->setText(password);
        login->LoginButton()->click();
        return login->result();
    });
}

// The next counter dialog is confirmed with `count`.
void AnswerCount(int count)
{
    PrepareModalAnswer([count](QDialog& dialog) {
        auto* counter = qobject_cast<TOknoLicznika*>(&dialog);
        if (counter == nullptr)
            return static_cast<int>(QDialog::Rejected);
        counter->SpinEdit()->setValue(count);
        return static_cast<int>(QDialog::Accepted);
    });
}

class ReadingRoomWindowTest : public testing::TestWithParam<Transport>
{
protected:
    void TearDown() override
    {
        EndCurrentSession();
        m_windows.reset();
        ClearAutoLogin(AutoLoginFilePath());
        SetHttpsSettings({});
        EXPECT_EQ(TakeUnansweredModals(), QStringList());
        EXPECT_EQ(PreparedAnswersLeft(), 0);
    }

    void StartServer(const QStringList& options = {})
    {
        m_sim = std::make_unique<SimServer>(options);
        ASSERT_TRUE(m_sim->Running());
    }

    // The configuration beside the program: the demo catalog as the
    // default one, its certificate trusted for HTTPS.
    QString ConfigFile() const { return m_folder.filePath(QStringLiteral("czytelnia.ini")); }
    void WriteConfiguration(const QString& extra = {})
    {
        const bool https = GetParam() == Transport::Https;
        QString text = QStringLiteral("[WYPOŻYCZALNIA]\nip=%1\nport=%2\nuser=demo\n")
                           .arg(https ? m_sim->HttpsUrl() : QStringLiteral("127.0.0.1"))
                           .arg(https ? m_sim->HttpsPort() : m_sim->Port());
        text += QStringLiteral("[HTTPS]\ncafile=%1\n").arg(m_sim->CertificateFile());
        text += extra;
        QFile file(ConfigFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toUtf8());
    }
    void WriteAutoLogin(const QString& user, const QString& password)
    {
        AutoLogin values;
        const bool https = GetParam() == Transport::Https;
        values.ip = https ? m_sim->HttpsUrl() : QStringLiteral("127.0.0.1");
        values.port = https ? m_sim->HttpsPort() : m_sim->Port();
        values.user = user;
        values.password = password;
        ASSERT_EQ(::WriteAutoLogin(AutoLoginFilePath(), values), QString());
    }

    // Starts the program's windows and waits until the first paint has
    // logged in and built the layout, or the program has ended.
    TOknoCzytelni& StartProgram()
    {
        m_windows = StartedProgram(ConfigFile(), m_folder.path() + QLatin1Char('/'));
        return m_windows->Czytelnia();
    }

    // A demo server, the configuration for it with `extra` appended, and the
    // program started with an automatic login as the demo librarian.
    TOknoCzytelni& StartLoggedInAsDemo(const QString& extra = {})
    {
        StartServer();
        WriteConfiguration(extra);
        WriteAutoLogin(S("demo"), S("demo"));
        return StartProgram();
    }

    static myButton* ButtonOf(const TOknoCzytelni& window, const QString& type)
    {
        for (myButton* button : window.Buttons()) {
            if (button->Type() == type)
                return button;
        }
        return nullptr;
    }

    // Today's count of every type on the server.
    std::map<QString, qint64> ServerCounts() const
    {
        QFile file(QDir(m_sim->DataFolder()).filePath(QStringLiteral("registry.json")));
        std::map<QString, qint64> counts;
        if (!file.open(QIODevice::ReadOnly))
            return counts;
        const QJsonObject today = QJsonDocument::fromJson(file.readAll())
                                      .object()
                                      .value(QDate::currentDate().toString(Qt::ISODate))
                                      .toObject();
        for (auto it = today.begin(); it != today.end(); ++it)
            counts[it.key()] = it.value().toInteger();
        return counts;
    }

    // What every button shows, as the server's counts are kept.
    static std::map<QString, qint64> ShownCounts(const TOknoCzytelni& window)
    {
        std::map<QString, qint64> counts;
        for (const myButton* button : window.Buttons()) {
            if (button->Count() != 0)
                counts[button->Type()] = button->Count();
        }
        return counts;
    }

    // Keys go where a keyboard sends them: to the focused control.
    static void Press(TOknoCzytelni& window, Qt::Key key,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = QApplication::focusWidget();
        if (target == nullptr || target->window() != &window)
            target = &window;
        QTest::keyClick(target, key, modifiers);
    }
    static void Scan(TOknoCzytelni& window, const QString& digits)
    {
        for (const QChar digit : digits)
            Press(window, static_cast<Qt::Key>(Qt::Key_0 + digit.digitValue()));
        Press(window, Qt::Key_Return);
    }

    QTemporaryDir m_folder;
    std::unique_ptr<SimServer> m_sim;
    std::unique_ptr<ProgramWindows> m_windows;
};

TEST_P(ReadingRoomWindowTest, AutomaticLoginShowsTheDemoReadingRoomWithItsReports)
{
    TOknoCzytelni& window = StartLoggedInAsDemo();
    ASSERT_TRUE(window.LayoutBuilt());

    // The reading room's name replaces the caption, so the branch is not shown.
    EXPECT_EQ(window.windowTitle(), S("Czytelnia Główna - ") + QDate::currentDate().toString(
                                                                   QStringLiteral("dd.MM.yyyy")));
    QStringList types;
    for (const myButton* button : window.Buttons())
        types << button->Type();
    EXPECT_EQ(types.join(QLatin1Char(' ')), S("CZO CZW CZN CZC CZL CZA CZM MMK MMS INF"));
    const myButton* first = ButtonOf(window, S("CZO"));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Caption(), S("Na miejscu (0)"));
    EXPECT_EQ(first->size(), QSize(100, 30));
    // The first group box holds its buttons 5 pixels in and 16 down.
    EXPECT_EQ(first->pos(), QPoint(5, 16));
    EXPECT_FALSE(window.KodBox()->isVisible());

    // Reports with a form, grouped as the catalog says.
    QStringList menu;
    for (const QAction* action : window.ReportMenu()->actions()) {
        if (action->isSeparator())
            continue;
        QStringList items;
        if (action->menu() != nullptr) {
            for (const QAction* item : action->menu()->actions())
                items << item->text();
        }
        menu << action->text() + (items.isEmpty() ? QString() : S(": ") + items.join(S(", ")));
    }
    EXPECT_EQ(menu.join(S(" | ")).toStdString(),
              "Otwórz zapisane zestawienie… | "
              "Statystyka: Odwiedziny w dniu, Odwiedziny w miesiącu, Odwiedziny w okresie | "
              "Czytelnicy: Karty czytelników, Czytelnicy według filtru");
}

TEST_P(ReadingRoomWindowTest, ALibrariansDayCountsEveryVisitOnceAndTheServerAgrees)
{
    // How many requests the login and the layout take, so that the first
    // registration of the day can be cut off.
    StartServer();
    WriteConfiguration();
    {
        AnswerLogin(S("demo"), S("demo"));
        ASSERT_TRUE(StartProgram().LayoutBuilt());
    }
    const qsizetype beforeFirstClick = m_sim->Requests().size();
    EndCurrentSession();
    m_windows.reset();

    StartServer({S("--drop-after"), QString::number(beforeFirstClick)});
    WriteConfiguration();
    AnswerLogin(S("demo"), S("demo"));
    TOknoCzytelni& window = StartProgram();
    ASSERT_TRUE(window.LayoutBuilt());
    myButton* here = ButtonOf(window, S("CZO"));
    myButton* loan = ButtonOf(window, S("CZW"));
    ASSERT_TRUE(here != nullptr && loan != nullptr);

    // The line breaks under the first click: the librarian reconnects, and
    // is told that this one visit may not have been counted.
    QStringList seen;
    Answer(kAnswerYes, &seen);
    Answer(1, &seen);
    QTest::mouseClick(here, Qt::LeftButton);
    ASSERT_EQ(seen.size(), 2) << seen.join(S("\n")).toStdString();
    EXPECT_TRUE(seen[0].startsWith(S("Pytanie: "))) << seen[0].toStdString();
    EXPECT_TRUE(seen[0].endsWith(S("\r\nCzy nawiązać połączenie na nowo?")))
        << seen[0].toStdString();
    EXPECT_EQ(seen[1], S("Błąd!: Wynik operacji nie jest wiarygodny"));

    QTest::mouseClick(here, Qt::LeftButton);
    const qint64 afterClick = ServerCounts()[S("CZO")];
    EXPECT_EQ(here->Count(), afterClick);
    EXPECT_TRUE(afterClick == 1 || afterClick == 2);

    // A right click adds several, or takes some away.
    AnswerCount(5);
    QTest::mousePress(loan, Qt::RightButton);
    EXPECT_EQ(loan->Caption(), S("Wypożyczenia prezencyjne (5)"));
    AnswerCount(-3);
    QTest::mousePress(loan, Qt::RightButton);
    EXPECT_EQ(loan->Count(), 2);
    // Cancelled, or confirmed with 0: nothing is sent.
    const qsizetype requests = m_sim->Requests().size();
    Answer(QDialog::Rejected);
    QTest::mousePress(loan, Qt::RightButton);
    EXPECT_EQ(m_sim->Requests().size(), requests);

    // One card counts on both buttons that carry its code.
    Scan(window, S("3001"));
    EXPECT_EQ(ButtonOf(window, S("MMK"))->Count(), 1);
    EXPECT_EQ(ButtonOf(window, S("MMS"))->Count(), 1);
    EXPECT_FALSE(window.KodBox()->isVisible());
    for (const myButton* button : window.Buttons())
        EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(ShownCounts(window), ServerCounts());

    // Another librarian takes over the workstation.
    AnswerLogin(S("anna"), S("Żółw-1"));
    window.LogoutAction()->trigger();
    ASSERT_NE(CurrentSession(), nullptr);
    EXPECT_EQ(CurrentSession()->AgendaNumber(), 12);
    EXPECT_EQ(window.Buttons().size(), 10U);
    EXPECT_EQ(ShownCounts(window), ServerCounts());
    QTest::mouseClick(ButtonOf(window, S("INF")), Qt::LeftButton);
    EXPECT_EQ(ServerCounts()[S("INF")], 1);

    window.close();
    EXPECT_EQ(CurrentSession(), nullptr);
}

TEST_P(ReadingRoomWindowTest, TheBarcodeBoxOpensOnADigitAndClosesOnAForeignKey)
{
    TOknoCzytelni& window = StartLoggedInAsDemo();
    ASSERT_TRUE(window.LayoutBuilt());
    const QSize closed = window.size();

    Press(window, Qt::Key_1);
    EXPECT_TRUE(window.KodBox()->isVisible());
    EXPECT_EQ(window.BarcodeField()->text(), S("1"));
    EXPECT_GT(window.size().height(), closed.height());
    for (const myButton* button : window.Buttons())
        EXPECT_FALSE(button->isEnabled());
    Press(window, Qt::Key_2);
    Press(window, Qt::Key_Backspace);
    Press(window, Qt::Key_Space);
    EXPECT_EQ(window.BarcodeField()->text(), S("1"));
    // Escape: closed, nothing counted.
    const qsizetype requests = m_sim->Requests().size();
    Press(window, Qt::Key_Escape);
    EXPECT_FALSE(window.KodBox()->isVisible());
    EXPECT_EQ(window.size(), closed);
    for (const myButton* button : window.Buttons())
        EXPECT_TRUE(button->isEnabled());

    // The demo server allows "K" codes: Shift+K opens the box with the letter.
    Press(window, Qt::Key_K, Qt::ShiftModifier);
    EXPECT_EQ(window.BarcodeField()->text(), S("K"));
    Press(window, Qt::Key_F5); // a key outside the table closes it
    EXPECT_FALSE(window.KodBox()->isVisible());
    EXPECT_EQ(m_sim->Requests().size(), requests);

    QStringList seen;
    Answer(1, &seen);
    Scan(window, S("999"));
    EXPECT_EQ(seen, QStringList{S("Błąd!: Nieznany kod kreskowy")});
    EXPECT_EQ(m_sim->Requests().size(), requests);

    // Ctrl+K opens an empty box, Ctrl+M finishes like Enter.
    Press(window, Qt::Key_K, Qt::ControlModifier);
    EXPECT_TRUE(window.KodBox()->isVisible());
    EXPECT_EQ(window.BarcodeField()->text(), QString());
    Press(window, Qt::Key_9);
    Press(window, Qt::Key_0);
    Press(window, Qt::Key_0);
    Press(window, Qt::Key_0);
    Press(window, Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(ButtonOf(window, S("INF"))->Count(), 1);
}

TEST_P(ReadingRoomWindowTest, TheButtonSizeRebuildsTheLayoutAndClosingKeepsTheSettings)
{
    TOknoCzytelni& window = StartLoggedInAsDemo(
        S("[OKNO]\ngora=40\nlewo=30\n[ZESTAWIENIA]\nwartości=DZIEN|20261208|\n"));
    ASSERT_TRUE(window.LayoutBuilt());
    QTest::mouseClick(ButtonOf(window, S("CZO")), Qt::LeftButton);
    const QSize before = window.Panel()->size();

    window.SizeAction(2)->trigger(); // 150%
    EXPECT_EQ(ButtonOf(window, S("CZO"))->size(), QSize(150, 45));
    EXPECT_EQ(ButtonOf(window, S("CZO"))->Count(), 1);
    EXPECT_GT(window.Panel()->width(), before.width());
    EXPECT_GT(window.Panel()->height(), before.height());
    window.OnTopAction()->trigger();
    EXPECT_FALSE(window.windowFlags() & Qt::WindowStaysOnTopHint);

    window.close();
    QFile file(ConfigFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    for (const char* line : {"[CZYTELNIA]", "nawierzchu=0", "dy=45", "dx=150", "[OKNO]",
                             "wartości=DZIEN|20261208|", "gora=", "lewo="})
        EXPECT_TRUE(text.contains(S(line))) << line << "\n" << text.toStdString();

    // The next start takes them back.
    EndCurrentSession();
    m_windows.reset();
    TOknoCzytelni& again = StartProgram();
    ASSERT_TRUE(again.LayoutBuilt());
    EXPECT_EQ(ButtonOf(again, S("CZO"))->size(), QSize(150, 45));
    EXPECT_FALSE(again.OnTopAction()->isChecked());
}

// A catalog report is not run yet; a saved one opens in the preview with the
// server's footnote, and the preview's place is kept at close.
TEST_P(ReadingRoomWindowTest, ReportsFromTheMenu)
{
    TOknoCzytelni& window = StartLoggedInAsDemo();
    ASSERT_TRUE(window.LayoutBuilt());
    // A report of the catalog: its form filled in as a librarian does it,
    // computed by the server and shown in the preview.
    PrepareModalAnswer([](QDialog& dialog) {
        ShowAnsweredWindow(dialog);
        auto* date = dialog.findChild<QLineEdit*>();
        date->setFocus();
        date->selectAll();
        QTest::keyClicks(date, S("09122026"));
        QTest::mouseClick(dialog.findChild<QPushButton*>(S("Button1")), Qt::LeftButton);
        return dialog.result();
    });
    QAction* report = window.ReportMenu()->actions().at(2)->menu()->actions().first();
    report->trigger();
    ASSERT_NE(m_windows->Podglad().Report(), nullptr);
    EXPECT_EQ(m_windows->Podglad().windowTitle(), report->text());
    EXPECT_TRUE(window.Settings().lastValues.startsWith(S("DZIEN|20261209|")))
        << window.Settings().lastValues.toStdString();
    EXPECT_TRUE(m_sim->Requests().filter(S("100 3 i:1 s:\"DZIEN|20261209|")).size() == 1)
        << m_sim->Requests().join(u'\n').toStdString();
    EXPECT_TRUE(TakeUnansweredModals().isEmpty());

    // A report the server refuses (a month without its year): the preview
    // keeps the report it had. Over TCP the server's reason comes as its
    // message; the HTTPS reply has no blob, which is said as such.
    QStringList seen;
    Answer(QDialog::Accepted);
    Answer(QDialog::Accepted, &seen);
    QAction* month = window.ReportMenu()->actions().at(2)->menu()->actions().at(1);
    month->trigger();
    EXPECT_EQ(m_windows->Podglad().windowTitle(), report->text());
    const QString reason =
        GetParam() == Transport::Https ? S("Spodziewane [3,blob]") : S("Nie podano roku");
    EXPECT_TRUE(seen.join(u' ').contains(reason)) << seen.join(u'|').toStdString();
    EXPECT_EQ(PreparedAnswersLeft(), 0);

    const QString saved = S(ZELVORAN_TEST_DATA "/reports/odwiedziny.txt");
    PrepareModalAnswer([saved](QDialog& dialog) {
        auto* files = qobject_cast<QFileDialog*>(&dialog);
        if (files == nullptr)
            return static_cast<int>(QDialog::Rejected);
        files->selectFile(saved);
        return static_cast<int>(QDialog::Accepted);
    });
    window.OpenSavedAction()->trigger();
    TForm2& preview = m_windows->Podglad();
    ASSERT_NE(preview.Report(), nullptr);
    EXPECT_EQ(preview.windowTitle(), S("odwiedziny.txt"));
    EXPECT_EQ(preview.Report()->footnote(), S("Biblioteka Miejska, ul. Źródlana 5"));

    preview.setGeometry(30, 40, 700, 500);
    window.close();
    EXPECT_TRUE(preview.isHidden()) << "the preview ends with the program";
    QFile file(ConfigFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    for (const char* line :
         {"[ZESTAWIENIA]", "x=30", "y=40", "width=700", "height=500", "maximized=0", "drukarka="})
        EXPECT_TRUE(text.contains(S(line))) << line << "\n" << text.toStdString();
}

TEST_P(ReadingRoomWindowTest, ThePasswordIsChangedFromTheMenuAndHoldsAtTheNextLogin)
{
    TOknoCzytelni& window = StartLoggedInAsDemo();
    ASSERT_TRUE(window.LayoutBuilt());
    QStringList seen;
    AnswerPassword(S("nowe"), &seen);
    AnswerPassword(S("nowe"), &seen);
    Answer(1, &seen);
    window.ChangePasswordAction()->trigger();
    EXPECT_EQ(seen, (QStringList{S("Zmiana hasła"), S("Zmiana hasła"),
                                 S("Komunikat: Hasło zostało zmienione")}));

    // The old password no longer opens a session; the new one does.
    seen.clear();
    PrepareModalAnswer([&seen](QDialog& dialog) {
        auto* login = qobject_cast<TOknoLogowania*>(&dialog);
        login->PasswordField()->setText(S("demo"));
        Answer(QDialog::Accepted, &seen);
        login->LoginButton()->click();
        login->PasswordField()->setText(S("nowe"));
        login->LoginButton()->click();
        return login->result();
    });
    window.LogoutAction()->trigger();
    EXPECT_EQ(seen.size(), 1);
    EXPECT_FALSE(window.Terminated());
    EXPECT_NE(CurrentSession(), nullptr);
}

TEST_P(ReadingRoomWindowTest, ALoginThatFailsEndsTheProgram)
{
    StartServer();
    WriteConfiguration();
    // A wrong password in the login window, which then is closed.
    QStringList seen;
    PrepareModalAnswer([&seen](QDialog& dialog) {
        auto* login = qobject_cast<TOknoLogowania*>(&dialog);
        login->UserField()->setText(S("demo"));
        login->PasswordField()->setText(S("zle"));
        Answer(QDialog::Accepted, &seen);
        login->LoginButton()->click();
        return static_cast<int>(QDialog::Rejected);
    });
    TOknoCzytelni& window = StartProgram();
    EXPECT_TRUE(window.Terminated());
    EXPECT_FALSE(window.LayoutBuilt());
    ASSERT_EQ(seen.size(), 1);
    EXPECT_EQ(CurrentSession(), nullptr);
}

TEST_P(ReadingRoomWindowTest, AnAutomaticLoginWithoutAPortSaysSoAndEnds)
{
    StartServer();
    WriteConfiguration();
    const QString path = AutoLoginFilePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[Zelvoran]\nip=127.0.0.1\nuser=demo\n");
    file.close();
    QStringList seen;
    Answer(1, &seen);
    TOknoCzytelni& window = StartProgram();
    EXPECT_TRUE(window.Terminated());
    ASSERT_EQ(seen.size(), 1);
    EXPECT_TRUE(seen[0].startsWith(S("Błąd!: Automatyczne logowanie"))) << seen[0].toStdString();
    EXPECT_TRUE(seen[0].contains(S("\"port\""))) << seen[0].toStdString();
}

INSTANTIATE_TEST_SUITE_P(Transports, ReadingRoomWindowTest,
                         testing::Values(Transport::Tcp, Transport::Https),
                         [](const testing::TestParamInfo<Transport>& param) {
                             return TransportName(param.param);
                         });

} // namespace
