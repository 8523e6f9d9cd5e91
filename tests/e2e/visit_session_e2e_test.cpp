// The reading-room session against the simulator: opening it as the login
// window and the automatic login do, and counting visits through it.
#include "session_fixture.h"

#include <gtest/gtest.h>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

QString Shown(const ScriptedDialogs& dialogs)
{
    return dialogs.shown.join(QLatin1Char('\n'));
}

class VisitSessionTest : public testing::TestWithParam<Transport>
{
protected:
    bool Start(const QStringList& options = {})
    {
        sim = std::make_unique<SimServer>(options);
        return sim->Running();
    }
    bool Open(const QString& user = S("demo"), const QString& password = S("demo"),
              LoginMode mode = LoginMode::Interactive)
    {
        return OpenSessionAndLogIn(TargetOf(*sim, GetParam(), dialogs, user, password), mode,
                                   dialogs);
    }
    qint32 Count(const QString& type)
    {
        qint32 count = -1;
        EXPECT_EQ(CurrentSession()->ReadCount(type, count), QString());
        return count;
    }

    SessionEnds ends;
    std::unique_ptr<SimServer> sim;
    ScriptedDialogs dialogs;
};

TEST_P(VisitSessionTest, VisitsAreCountedAndTakenAway)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Open()) << Shown(dialogs).toStdString();
    Twypozyczalnia& session = *CurrentSession();
    EXPECT_EQ(session.ServiceName(), S("czytelnia"));
    EXPECT_EQ(session.AgendaNumber(), 1);
    EXPECT_EQ(dialogs.busy, 0) << "every hourglass is taken back";
    const qint32 before = Count(S("CZO"));
    EXPECT_EQ(session.Register(S("CZO"), 1), QString());
    EXPECT_EQ(Count(S("CZO")), before + 1);
    EXPECT_EQ(session.Register(S("CZO"), 5), QString());
    EXPECT_EQ(session.Register(S("CZO"), -3), QString());
    EXPECT_EQ(Count(S("CZO")), before + 3);
    EXPECT_EQ(dialogs.shown, QStringList());
}

TEST_P(VisitSessionTest, TheAgendaNumberComesFromTheUsersRights)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Open(S("anna"), S("Żółw-1"))) << Shown(dialogs).toStdString();
    EXPECT_EQ(CurrentSession()->AgendaNumber(), 12);
    // A reconnection logs in again and takes the number anew.
    CurrentSession()->Reconnect();
    EXPECT_EQ(CurrentSession()->ErrorText(), QString());
    EXPECT_EQ(CurrentSession()->AgendaNumber(), 12);
}

TEST_P(VisitSessionTest, ALoginTheServerRefusesEndsWithItsText)
{
    ASSERT_TRUE(Start());
    EXPECT_FALSE(Open(S("demo"), S("zle")));
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(dialogs.shown[0].startsWith(S("komunikat: "))) << Shown(dialogs).toStdString();
    EXPECT_EQ(CurrentSession(), nullptr);
    // A user without the reading-room right.
    dialogs.shown.clear();
    EXPECT_FALSE(Open(S("katalog"), S("katalog")));
    EXPECT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(CurrentSession(), nullptr);
}

TEST_P(VisitSessionTest, AMissingServiceGoesToTheMessageBoxWithoutAWindow)
{
    ASSERT_TRUE(Start({S("--old-server"), S("NURA3")}));
    EXPECT_FALSE(Open(S("demo"), S("demo"), LoginMode::Automatic));
    EXPECT_EQ(Shown(dialogs), S("wiadomość: Serwer nie realizuje usługi \"czytelnia\""));
    EXPECT_EQ(CurrentSession(), nullptr);
}

TEST_P(VisitSessionTest, ADemandedPasswordChangeIsMadeBeforeTheSessionStarts)
{
    ASSERT_TRUE(Start());
    dialogs.passwords = {S("nowe"), S("nowe")};
    ASSERT_TRUE(Open(S("zmiana"), S("zmiana"))) << Shown(dialogs).toStdString();
    EXPECT_EQ(dialogs.shown, QStringList({S("hasło: Nowe hasło:"), S("hasło: Powtórz nowe hasło:"),
                                          S("info: Hasło zostało zmienione")}));
    EXPECT_EQ(CurrentSession()->Client().LoginNotice(), QString());
    EndCurrentSession();
    ASSERT_TRUE(Open(S("zmiana"), S("nowe")));
    EXPECT_EQ(dialogs.passwordWindows, 2) << "the server no longer asks";
}

TEST_P(VisitSessionTest, AMistypedNewPasswordEndsTheLogin)
{
    ASSERT_TRUE(Start());
    dialogs.passwords = {S("nowe1"), S("nowe2")};
    EXPECT_FALSE(Open(S("zmiana"), S("zmiana")));
    EXPECT_EQ(dialogs.shown, QStringList({S("hasło: Nowe hasło:"), S("hasło: Powtórz nowe hasło:"),
                                          S("błąd: Nowe hasło zostało źle powtórzone")}));
    EXPECT_EQ(CurrentSession(), nullptr);
    // Nothing was changed: the old password still logs in and is still
    // asked to change.
    dialogs.shown.clear();
    dialogs.passwords = {S("nowe"), S("nowe")};
    EXPECT_TRUE(Open(S("zmiana"), S("zmiana")));
}

TEST_P(VisitSessionTest, ARefusedPasswordChangeEndsTheLogin)
{
    ASSERT_TRUE(Start());
    dialogs.passwords = {S("nowe")}; // the second window is closed
    EXPECT_FALSE(Open(S("zmiana"), S("zmiana")));
    EXPECT_EQ(dialogs.passwordWindows, 2);
    EXPECT_EQ(CurrentSession(), nullptr);
    // Without a window nobody can change it: the operator learns why.
    dialogs.shown.clear();
    EXPECT_FALSE(Open(S("zmiana"), S("zmiana"), LoginMode::Automatic));
    EXPECT_EQ(Shown(dialogs), S("wiadomość: Hasło wygasło. Należy ustalić nowe hasło."));
    EXPECT_EQ(dialogs.passwordWindows, 2);
}

TEST_P(VisitSessionTest, ARegistrationCutOffIsReportedUnsureAndNeverSentAgain)
{
    // The server counts the visit and the line breaks in its reply; or the
    // line breaks before the server sees the request.
    for (const char* fault : {"--drop-mid-reply", "--drop-after"}) {
        SCOPED_TRACE(fault);
        EndCurrentSession();
        ASSERT_TRUE(Start({S(fault), S("0"), S("--fault-request"), S("151 73")}));
        ASSERT_TRUE(Open());
        const qint32 before = Count(S("CZO"));
        dialogs.answers = {true};
        EXPECT_EQ(CurrentSession()->Register(S("CZO"), 1), S("Wynik operacji nie jest wiarygodny"));
        ASSERT_EQ(dialogs.errors.size(), 1u);
        EXPECT_TRUE(dialogs.shown.last().endsWith(S("\r\nCzy nawiązać połączenie na nowo?")));
        int sent = 0;
        for (const QString& line : sim->Requests())
            sent += line.startsWith(S("151 73 ")) ? 1 : 0;
        EXPECT_EQ(sent, 1);
        const qint32 after = Count(S("CZO"));
        EXPECT_TRUE(after == before || after == before + 1) << after - before;
        dialogs.errors.clear();
    }
}

// The server goes away during the day: the operator is asked once per
// attempt, never twice at a time, until they give up.
TEST_P(VisitSessionTest, AServerThatIsGoneIsAskedAboutOncePerAttempt)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Open());
    sim.reset();
    dialogs.answers = {true, true, false};
    const QString result = CurrentSession()->Register(S("CZO"), 1);
    EXPECT_FALSE(result.isEmpty());
    // Over HTTPS a reconnection makes no connection before the next
    // request, so it cannot fail, and the first "Tak" ends the questions.
    EXPECT_EQ(dialogs.shown.size(), GetParam() == Transport::Tcp ? 3 : 1)
        << Shown(dialogs).toStdString();
    EXPECT_EQ(dialogs.errors.size(), 1u);
    // The session stays, and answers at once from its error state.
    qint32 count = 5;
    dialogs.answers = {false};
    EXPECT_FALSE(CurrentSession()->ReadCount(S("CZO"), count).isEmpty());
    EXPECT_EQ(count, 5);
}

TEST_P(VisitSessionTest, TheOperatorMayGiveUpOnAnUnreachableServer)
{
    ASSERT_TRUE(Start());
    SessionTarget target = TargetOf(*sim, GetParam(), dialogs);
    if (GetParam() == Transport::Https)
        target.address = QStringLiteral("https://127.0.0.1:%1/nura").arg(sim->Port());
    else
        target.port = sim->HttpsPort();
    // Speaking the wrong protocol to a port is as good as no server there.
    dialogs.answers = {true, false};
    EXPECT_FALSE(OpenSessionAndLogIn(target, LoginMode::Interactive, dialogs));
    ASSERT_EQ(dialogs.shown.size(), 2) << Shown(dialogs).toStdString();
    for (const QString& question : dialogs.shown)
        EXPECT_TRUE(question.startsWith(S("pytanie: ")) &&
                    question.endsWith(S("\r\nCzy nawiązać połączenie na nowo?")))
            << question.toStdString();
    EXPECT_EQ(CurrentSession(), nullptr);
}

TEST_P(VisitSessionTest, AReplyOfTheWrongSizeIsReported)
{
    ASSERT_TRUE(Start({S("--bad-count"), S("51"), S("--fault-request"), S("151 86")}));
    ASSERT_TRUE(Open());
    qint32 count = 7;
    dialogs.answers = {false};
    // Each transport words it its own way.
    EXPECT_EQ(CurrentSession()->ReadCount(S("CZO"), count),
              GetParam() == Transport::Tcp ? S("Zła postać odpowiedzi (51)")
                                           : S("Zła wielkość odpowiedzi (51)"));
    EXPECT_EQ(count, 7);
}

// Replies the registry itself never writes, given to one type each.
TEST_P(VisitSessionTest, MalformedRegistryRepliesAreReportedAndChangeNothing)
{
    const QByteArray replies = R"([
        {"request": "151 86 s:\"LIT\"", "reply": ["LIT", "12a"]},
        {"request": "151 86 s:\"TRZY\"", "reply": ["TRZY", "1", "2"]},
        {"request": "151 86 s:\"ODM\"", "reply": ["Rejestr zamknięty"]},
        {"request": "151 73 s:\"DWA\"", "reply": ["a", "b"]},
        {"request": "151 73 s:\"ODM\"", "reply": ["Rejestr zamknięty"]}])";
    sim = std::make_unique<SimServer>(
        QStringList(), std::vector<std::pair<QString, QByteArray>>{{S("replies.json"), replies}});
    ASSERT_TRUE(sim->Running());
    ASSERT_TRUE(Open());
    Twypozyczalnia& session = *CurrentSession();
    struct Case
    {
        const char* type;
        const char* error;
    };
    const Case reads[] = {
        /* 0*/ {"LIT", "GETREGISTRY: Błędna liczba odwiedzin (12a)"},
        /* 1*/ {"TRZY", "GETREGISTRY: Błąd systemowy odpowiedzi (3)"},
        /* 2*/ {"ODM", "Rejestr zamknięty"},
    };
    for (const Case& c : reads) {
        qint32 count = 4;
        EXPECT_EQ(session.ReadCount(S(c.type), count), S(c.error));
        EXPECT_EQ(count, 4) << c.type;
    }
    EXPECT_EQ(session.Register(S("DWA"), 1), S("REGISTRY: Błąd systemowy odpowiedzi (2)"));
    EXPECT_EQ(session.Register(S("ODM"), 1), S("Rejestr zamknięty"));
    EXPECT_EQ(dialogs.shown, QStringList()) << "the connection stays sound";
}

INSTANTIATE_TEST_SUITE_P(Transports, VisitSessionTest,
                         testing::Values(Transport::Tcp, Transport::Https),
                         [](const testing::TestParamInfo<Transport>& transport) {
                             return TransportName(transport.param);
                         });

} // namespace
