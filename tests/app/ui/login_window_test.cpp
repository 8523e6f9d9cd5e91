// The login window against the simulator: logging in by hand and without
// the window, the catalog menu and the catalog choice, and what the window
// remembers.
#include "app/ui/katalog_item.h"
#include "app/ui/tform_wybor_kat.h"
#include "app/ui/tokno_logowania.h"
#include "app/ui/tokno_zmiany_hasla.h"
#include "catalog/current_session.h"
#include "catalog/twypozyczalnia.h"
#include "client/https_settings.h"

#include "e2e_client.h"
#include "modal_answers.h"
#include "session_fixture.h"
#include "sim_server.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

// The caption of the plain message box: the program's name.
QString PlainCaption()
{
    return QGuiApplication::applicationDisplayName() + S(": ");
}

// A configuration folder with the program's INI file and the files it
// includes.
class ConfigFolder
{
public:
    QString Ini() const { return m_folder.filePath(S("czytelnia.ini")); }
    void Write(const QString& name, const QString& text) const
    {
        QFile file(m_folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toUtf8());
    }
    QString Read(const QString& name) const
    {
        QFile file(m_folder.filePath(name));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

private:
    QTemporaryDir m_folder;
};

// Shows the window for real, so that focus and keys behave as for a person.
void ShowForReal(QDialog& dialog)
{
    dialog.show();
    dialog.activateWindow();
    QApplication::processEvents();
}

// No test leaves a window waiting, an answer unused or a session open.
class LoginWindowBase
{
protected:
    ~LoginWindowBase()
    {
        EXPECT_EQ(TakeUnansweredModals(), QStringList());
        EXPECT_EQ(PreparedAnswersLeft(), 0);
        EndCurrentSession();
    }

    TOknoZmianyHasla passwordWindow;
    ConfigFolder config;
};

class LoginWindowTest : public LoginWindowBase, public testing::TestWithParam<Transport>
{
protected:
    // A window whose configured catalog is `sim`, as the configuration
    // names it for the transport.
    std::unique_ptr<TOknoLogowania> WindowFor(const SimServer& sim)
    {
        address = S("127.0.0.1");
        port = sim.Port();
        if (GetParam() == Transport::Https) {
            SetHttpsSettings({sim.CertificateFile(), true});
            address = sim.HttpsUrl();
            port = sim.HttpsPort();
        }
        config.Write(S("czytelnia.ini"),
                     S("[WYPOŻYCZALNIA]\nip=%1\nport=%2\nnazwa=Symulator\nuser=demo\n"
                       "[OKNOLOGIN]\ngora=40\nlewo=50\n")
                         .arg(address)
                         .arg(port));
        return std::make_unique<TOknoLogowania>(config.Ini(), passwordWindow);
    }

    // Shows the window, types the user and the password and clicks
    // "Zaloguj"; the windows that appear meanwhile take the answers
    // prepared after this one.
    void PrepareLogin(TOknoLogowania& window, const QString& user, const QString& password)
    {
        PrepareModalAnswer([&window, user, password](QDialog& dialog) {
            window.UserField()->setText(user);
            window.PasswordField()->setText(password);
            QTest::mouseClick(window.LoginButton(), Qt::LeftButton);
            return dialog.result();
        });
    }

    QString address;
    int port = 0;
};

TEST_P(LoginWindowTest, ALoginOpensTheSessionAndIsRemembered)
{
    SimServer sim;
    ASSERT_TRUE(sim.Running());
    {
        std::unique_ptr<TOknoLogowania> window = WindowFor(sim);
        const SessionEnds ends; // while the window and the server are there
        EXPECT_EQ(window->CatalogLabel()->text(), S("Symulator"));
        EXPECT_EQ(window->UserField()->text(), S("demo"));
        PrepareLogin(*window, S("demo"), S("demo"));
        ASSERT_TRUE(window->ShowLoginWindow(S("czytelnia")));
        ASSERT_NE(CurrentSession(), nullptr);
        EXPECT_EQ(CurrentSession()->ServiceName(), S("czytelnia"));
        EXPECT_EQ(window->Last().address, address);
        EXPECT_EQ(window->Last().port, port);
        EXPECT_EQ(window->Last().label, S("Symulator"));
        EXPECT_EQ(window->Last().user, S("demo"));
        EXPECT_EQ(window->PasswordField()->text(), QString());
        // Ready for the next login: the user to be kept or typed over.
        EXPECT_EQ(window->focusWidget(), window->UserField());
        EXPECT_EQ(window->UserField()->selectedText(), S("demo"));
        window->move(70, 60);
    }
    // The window writes the last login and its place as it goes.
    const QString written = config.Read(S("czytelnia.ini"));
    for (const QString& line :
         {S("lastip=") + address, S("lastport=%1").arg(port), S("lastname=Symulator"),
          S("lastuser=demo"), S("gora=60"), S("lewo=70"), S("nazwa=Symulator")})
        EXPECT_TRUE(written.contains(line + QLatin1Char('\n'))) << line.toStdString();
    EXPECT_FALSE(written.contains(S("gora=40")));
}

// Enter goes from the user to the password, and there logs in.
TEST_P(LoginWindowTest, EnterMovesOnAndLogsIn)
{
    SimServer sim;
    ASSERT_TRUE(sim.Running());
    std::unique_ptr<TOknoLogowania> window = WindowFor(sim);
    const SessionEnds ends; // while the window and the server are there
    PrepareModalAnswer([&window](QDialog& dialog) {
        ShowForReal(dialog);
        window->UserField()->setFocus();
        window->UserField()->clear();
        QTest::keyClicks(window->UserField(), S("demo"));
        QTest::keyClick(window->UserField(), Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), window->PasswordField());
        EXPECT_EQ(CurrentSession(), nullptr) << "Enter in the user field does not log in";
        QTest::keyClicks(window->PasswordField(), S("demo"));
        QTest::keyClick(window->PasswordField(), Qt::Key_Enter);
        return dialog.result();
    });
    EXPECT_TRUE(window->ShowLoginWindow(S("czytelnia")));
    EXPECT_NE(CurrentSession(), nullptr);
}

// A login that goes wrong leaves no session and the window open for another
// try; each way says why in its own window.
TEST_P(LoginWindowTest, AFailedLoginSaysWhyAndLeavesNoSession)
{
    struct Case
    {
        QStringList options;
        const char* user;
        const char* password;
        QString shown;
    };
    const Case cases[] = {
        /* 0*/ {{}, "demo", "zle", PlainCaption() + S("Błędne hasło")},
        /* 1*/ {{}, "nikt", "demo", PlainCaption() + S("Błędna nazwa użytkownika")},
        /* 2*/ {{}, "katalog", "katalog", PlainCaption() + S("Brak uprawnień")},
        /* 3*/
        {{S("--old-server"), S("NURA3")},
         "demo",
         "demo",
         S("Błąd!: Serwer nie realizuje usługi \"czytelnia\"")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.user);
        SimServer sim(c.options);
        ASSERT_TRUE(sim.Running());
        std::unique_ptr<TOknoLogowania> window = WindowFor(sim);
        const SessionEnds ends; // while the window and the server are there
        QStringList seen;
        PrepareLogin(*window, S(c.user), S(c.password));
        Answer(QDialog::Accepted, &seen);
        EXPECT_FALSE(window->ShowLoginWindow(S("czytelnia")));
        EXPECT_EQ(seen, QStringList{c.shown});
        EXPECT_EQ(CurrentSession(), nullptr);
        EXPECT_EQ(window->Last().address, QString()) << "a failed login is not remembered";
        EXPECT_EQ(window->PasswordField()->text(), S(c.password)) << "kept for another try";
    }
}

// A server that is not there is offered again; "Nie" gives up.
TEST_P(LoginWindowTest, AServerThatIsNotThereMayBeGivenUp)
{
    auto sim = std::make_unique<SimServer>();
    ASSERT_TRUE(sim->Running());
    std::unique_ptr<TOknoLogowania> window = WindowFor(*sim);
    const SessionEnds ends; // while the window and the server are there
    sim.reset();
    QStringList seen;
    PrepareLogin(*window, S("demo"), S("demo"));
    Answer(kAnswerYes, &seen);
    Answer(kAnswerNo, &seen);
    EXPECT_FALSE(window->ShowLoginWindow(S("czytelnia")));
    ASSERT_EQ(seen.size(), 2);
    for (const QString& question : seen)
        EXPECT_TRUE(question.startsWith(S("Pytanie: ")) &&
                    question.endsWith(S("\r\nCzy nawiązać połączenie na nowo?")))
            << question.toStdString();
    EXPECT_EQ(CurrentSession(), nullptr);
}

// The server demands a new password: asked twice over the login window.
TEST_P(LoginWindowTest, ADemandedPasswordChangeComesBeforeTheSession)
{
    struct Case
    {
        const char* first;
        const char* second;
        QString shown;
        bool session;
    };
    const Case cases[] = {
        /* 0*/ {"nowe", "nowe", S("Komunikat: Hasło zostało zmienione"), true},
        /* 1*/ {"nowe1", "nowe2", S("Błąd!: Nowe hasło zostało źle powtórzone"), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.second);
        SimServer sim;
        ASSERT_TRUE(sim.Running());
        std::unique_ptr<TOknoLogowania> window = WindowFor(sim);
        const SessionEnds ends; // while the window and the server are there
        ASSERT_EQ(window->pos(), QPoint(50, 40));
        QStringList seen;
        PrepareLogin(*window, S("zmiana"), S("zmiana"));
        for (const char* password : {c.first, c.second})
            PrepareModalAnswer([password, &seen](QDialog& dialog) {
                seen << S("at %1,%2").arg(dialog.x()).arg(dialog.y());
                qobject_cast<TOknoZmianyHasla*>(&dialog)->PasswordField()->setText(S(password));
                return static_cast<int>(QDialog::Accepted);
            });
        Answer(QDialog::Accepted, &seen);
        EXPECT_EQ(window->ShowLoginWindow(S("czytelnia")), c.session);
        EXPECT_EQ(seen, QStringList({S("at 50,40"), S("at 50,40"), c.shown}));
        EXPECT_EQ(CurrentSession() != nullptr, c.session);
    }
}

// The automatic login: no window, the values given become the window's.
TEST_P(LoginWindowTest, ConnectAndLoginTakesTheGivenValues)
{
    SimServer sim;
    ASSERT_TRUE(sim.Running());
    std::unique_ptr<TOknoLogowania> window = WindowFor(sim);
    Reports reports;
    const SessionEnds ends; // while the window and the server are there
    const TTextHandler onError = TTextHandler::Of<&Reports::Error>(&reports);
    const TTextHandler onMessage = TTextHandler::Of<&Reports::Message>(&reports);
    window->SetClientMode(QLatin1Char('C'));
    Answer(QDialog::Accepted); // the refusal, in the plain message box
    EXPECT_FALSE(window->ConnectAndLogin(address, port, S("demo"), S("czytelnia"), onError,
                                         onMessage, QString(), S("zle")));
    ASSERT_TRUE(window->ConnectAndLogin(address, port, S("anna"), S("czytelnia"), onError,
                                        onMessage, QString(), S("Żółw-1")));
    EXPECT_EQ(CurrentSession()->AgendaNumber(), 12);
    EXPECT_TRUE(sim.Requests().join(QLatin1Char('\n')).contains(window->Identification()));
    EXPECT_TRUE(window->Identification().startsWith(S("version=C")));
    for (const CurrentCatalog* catalog : {&window->Current(), &window->Last()}) {
        EXPECT_EQ(catalog->address, address);
        EXPECT_EQ(catalog->port, port);
        EXPECT_EQ(catalog->label, QString());
        EXPECT_EQ(catalog->user, S("anna"));
    }
    // Without a label the window names the server it is logged in to.
    EXPECT_EQ(window->CatalogLabel()->text(), address + S(":") + QString::number(port));
    EXPECT_EQ(window->UserField()->text(), S("anna"));
}

INSTANTIATE_TEST_SUITE_P(Transports, LoginWindowTest,
                         testing::Values(Transport::Tcp, Transport::Https),
                         [](const testing::TestParamInfo<Transport>& transport) {
                             return TransportName(transport.param);
                         });

// Catalogs of a city library in groups, one catalog from an included file,
// and the last login at an address no catalog has any more.
const char* const kCatalogs = R"([WYPOŻYCZALNIA]
ip=10.0.0.9
port=7000
nazwa=Domyślny
user=ktos
lastip=10.0.0.5
lastport=%1
lastname=Stary
lastuser=stary
[GRUPA1]
nazwa=&Miasto
[KATALOG1a]
nazwa=Główna
ip=10.0.0.1
port=6000
user=anna
[GRUPA1b]
nazwa=Filie
[KATALOG1b1]
nazwa=Filia &1
ip=10.0.0.2
port=6001
[KATALOG2]
nazwa=Uczelnia
ip=10.0.0.3
port=6000
user=jan
[GRUPA2]
nazwa=Zdalne
[PLIK KATALOG2|%INI%kat.ini]
)";

const char* const kIncluded = "[x]\nnazwa=Zdalny\nip=https://kat.example/nura\nport=443\n"
                              "user=zdalny\n";

class CatalogMenuTest : public LoginWindowBase, public testing::Test
{
protected:
    std::unique_ptr<TOknoLogowania> Window(const QString& text)
    {
        config.Write(S("czytelnia.ini"), text);
        config.Write(S("kat.ini"), S(kIncluded));
        return std::make_unique<TOknoLogowania>(config.Ini(), passwordWindow);
    }
};

// Each item of a menu: "text" for a catalog, "text>" for a group, with the
// group's items after it, indented.
QStringList MenuTree(const QMenu& menu, const QString& indent = QString())
{
    QStringList lines;
    for (QAction* action : menu.actions()) {
        if (auto* group = action->menu<QMenu*>()) {
            lines << indent + action->text() + QLatin1Char('>');
            lines += MenuTree(*group, indent + S("  "));
        } else {
            lines << indent + action->text();
        }
    }
    return lines;
}

KatalogItem* FindItem(const QMenu& menu, const QString& text)
{
    for (KatalogItem* item : menu.findChildren<KatalogItem*>()) {
        if (item->text() == text)
            return item;
    }
    return nullptr;
}

TEST_F(CatalogMenuTest, GroupsAndIncludedCatalogsMakeTheMenu)
{
    // The last port is no catalog's: the configured catalog stays.
    std::unique_ptr<TOknoLogowania> window = Window(S(kCatalogs).arg(5999));
    EXPECT_EQ(window->windowTitle(), QFileInfo(QCoreApplication::applicationFilePath()).baseName());
    EXPECT_EQ(MenuTree(*window->CatalogMenu()),
              QStringList({S("&Miasto>"), S("  Główna"), S("  Filie>"), S("    Filia &1"),
                           S("Uczelnia"), S("Zdalne>"), S("  Zdalny")}));
    EXPECT_EQ(window->CatalogLabel()->text(), S("Domyślny"));
    EXPECT_EQ(window->UserField()->text(), S("ktos"));

    struct Case
    {
        const char* item;
        const char* label;
        const char* address;
        int port;
        const char* user;
    };
    const Case cases[] = {
        /* 0*/ {"Filia &1", "Filia 1 [Miasto. Filie]", "10.0.0.2", 6001, ""},
        /* 1*/ {"Zdalny", "Zdalny [Zdalne]", "https://kat.example/nura", 443, "zdalny"},
        /* 2*/ {"Uczelnia", "Uczelnia", "10.0.0.3", 6000, "jan"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        KatalogItem* item = FindItem(*window->CatalogMenu(), S(c.item));
        ASSERT_NE(item, nullptr);
        item->trigger();
        EXPECT_EQ(window->CatalogLabel()->text(), S(c.label));
        EXPECT_EQ(window->Current().address, S(c.address));
        EXPECT_EQ(window->Current().port, c.port);
        EXPECT_EQ(window->UserField()->text(), S(c.user));
    }
}

// "Zmień" pops the menu up; after a choice the user is ready to be typed.
TEST_F(CatalogMenuTest, ChangeButtonPopsTheMenuUp)
{
    std::unique_ptr<TOknoLogowania> window = Window(S(kCatalogs).arg(5999));
    ASSERT_FALSE(window->ChangeButton()->isHidden());
    bool popped = false;
    auto* choose = new QTimer(window.get());
    QObject::connect(choose, &QTimer::timeout, [&popped, choose] {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (popup == nullptr)
            return;
        choose->stop();
        popped = true;
        popup->actions().at(1)->trigger(); // "Uczelnia"
        popup->close();
    });
    choose->start(10);
    QTest::mouseClick(window->ChangeButton(), Qt::LeftButton);
    EXPECT_TRUE(popped);
    EXPECT_EQ(window->CatalogLabel()->text(), S("Uczelnia"));
    EXPECT_EQ(window->focusWidget(), window->UserField());
    EXPECT_EQ(window->UserField()->selectedText(), S("jan"));
}

// The last login's address is gone: one catalog with its port is taken,
// between several the operator chooses.
TEST_F(CatalogMenuTest, ACatalogThatMovedIsFoundByItsPort)
{
    {
        std::unique_ptr<TOknoLogowania> window = Window(S(kCatalogs).arg(6001));
        EXPECT_EQ(window->CatalogLabel()->text(), S("Filia 1 [Miasto. Filie]"));
        EXPECT_EQ(window->Current().address, S("10.0.0.2"));
    }
    QStringList listed;
    int preselected = 0;
    PrepareModalAnswer([&listed, &preselected](QDialog& dialog) {
        EXPECT_EQ(dialog.objectName(), S("FormWyborKat"));
        EXPECT_EQ(dialog.windowTitle(), S("Wybór katalogu"));
        const QPoint offCentre =
            dialog.frameGeometry().center() - dialog.parentWidget()->frameGeometry().center();
        EXPECT_LE(offCentre.manhattanLength(), 2) << "centred on the login window";
        QComboBox* list = qobject_cast<TFormWyborKat*>(&dialog)->List();
        for (int i = 0; i < list->count(); ++i)
            listed << list->itemText(i);
        preselected = list->currentIndex();
        list->setCurrentIndex(1);
        return static_cast<int>(QDialog::Accepted);
    });
    std::unique_ptr<TOknoLogowania> window = Window(S(kCatalogs).arg(6000));
    EXPECT_EQ(listed, QStringList({S("Główna [Miasto]"), S("Uczelnia")}));
    EXPECT_EQ(preselected, -1);
    EXPECT_EQ(window->CatalogLabel()->text(), S("Uczelnia"));
    EXPECT_EQ(window->Current().address, S("10.0.0.3"));
    EXPECT_EQ(window->Current().port, 6000);
    EXPECT_EQ(window->UserField()->text(), S("jan"));
}

// The choice window answers the index chosen with "Połącz", otherwise -1.
TEST_F(CatalogMenuTest, TheChoiceWindowAnswersOnlyWithPolacz)
{
    const QStringList names{S("A"), S("B [G]")};
    struct Case
    {
        int chosen;
        bool polacz; // closed with "Połącz", else otherwise
        int expected;
    };
    const Case cases[] = {
        /* 0*/ {1, true, 1},
        /* 1*/ {-1, true, -1},
        /* 2*/ {0, false, -1},
    };
    for (const Case& c : cases) {
        PrepareModalAnswer([c](QDialog& dialog) {
            auto* window = qobject_cast<TFormWyborKat*>(&dialog);
            window->List()->setCurrentIndex(c.chosen);
            if (c.polacz)
                QTest::mouseClick(window->findChild<QPushButton*>(S("Polacz")), Qt::LeftButton);
            return dialog.result();
        });
        EXPECT_EQ(TFormWyborKat::Wybierz(names, nullptr), c.expected) << c.chosen;
    }
}

// Without catalogs there is nothing to change to: the panel takes the
// button's place; without an address or port the operator is told.
TEST_F(CatalogMenuTest, WithoutCatalogsTheLabelPanelTakesTheButtonsPlace)
{
    std::unique_ptr<TOknoLogowania> withMenu = Window(S(kCatalogs).arg(5999));
    const int rightEdge = withMenu->ChangeButton()->geometry().right();
    EXPECT_EQ(rightEdge, withMenu->UserField()->geometry().right());
    EXPECT_LT(withMenu->CatalogPanel()->geometry().right(),
              withMenu->ChangeButton()->geometry().left());

    std::unique_ptr<TOknoLogowania> window =
        Window(S("[WYPOŻYCZALNIA]\nip=10.0.0.9\nport=7000\n[GRUPY]\nnazwa=x\n"));
    EXPECT_TRUE(window->ChangeButton()->isHidden());
    EXPECT_TRUE(window->CatalogMenu()->isEmpty());
    EXPECT_EQ(window->CatalogPanel()->geometry().right(), window->UserField()->geometry().right());
    EXPECT_EQ(window->CatalogLabel()->text(), S("10.0.0.9:7000"));
}

TEST_F(CatalogMenuTest, ACatalogWithoutAddressOrPortIsAConfigurationError)
{
    for (const char* text : {"[WYPOŻYCZALNIA]\nip=10.0.0.9\n", "[WYPOŻYCZALNIA]\nport=7000\n"}) {
        QStringList seen;
        Answer(QDialog::Accepted, &seen);
        const std::unique_ptr<TOknoLogowania> window = Window(S(text));
        EXPECT_EQ(seen, QStringList{S("Logowanie: Błąd konfiguracji katalogu!")}) << text;
    }
}

} // namespace
