#include "app/ui/message_windows.h"

#include "modal_answers.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

namespace {

// The GUI thread keeps serving events until `done` holds (or ten seconds
// pass), as the program's event loop would.
bool ServeUntil(const std::function<bool()>& done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 10000)
        QTest::qWait(5);
    return done();
}

// The next message window is answered by `act`.
void AnswerWith(const std::function<int(TOknoKomunikatu&)>& act)
{
    PrepareModalAnswer([act](QDialog& dialog) {
        auto* window = qobject_cast<TOknoKomunikatu*>(&dialog);
        return window != nullptr ? act(*window) : -1;
    });
}

QWidget* FirstInTabChain(QWidget& window)
{
    QWidget* widget = window.nextInFocusChain();
    while (widget != &window && (widget->focusPolicy() & Qt::TabFocus) == 0)
        widget = widget->nextInFocusChain();
    return widget;
}

QSize MeasuredText(const QWidget& window, const QString& text)
{
    const int halfScreen = QGuiApplication::primaryScreen()->geometry().width() / 2;
    return QFontMetrics(window.font())
        .boundingRect(QRect(0, 0, halfScreen, 100000), Qt::TextWordWrap | Qt::TextExpandTabs, text)
        .size();
}

struct Layout
{
    QSize client;
    QSize text;
    QRect button;
};

Layout ErrorLayout(const QString& text)
{
    Layout seen;
    AnswerWith([&seen](TOknoKomunikatu& window) {
        seen = {window.size(), MeasuredText(window, window.Text()),
                window.Buttons().front()->geometry()};
        return 1;
    });
    ShowError(text);
    return seen;
}

TEST(MessageWindowsTest, SizedToItsText)
{
    const Layout word = ErrorLayout(QStringLiteral("Błąd"));
    EXPECT_EQ(word.client, QSize(112, 16 + 32 + 56)) << "narrow and never lower than the icon";
    EXPECT_EQ(word.button, QRect(16, 64, 80, 24));

    const Layout wide = ErrorLayout(QStringLiteral("Niepoprawnyidentyfikatorczytelnika"));
    EXPECT_EQ(wide.client.width(), wide.text.width() + 82);
    EXPECT_GT(wide.client.width(), 112);
    EXPECT_EQ(wide.client.height(), 104);
    EXPECT_EQ(wide.button, QRect((wide.client.width() - 80) / 2, 64, 80, 24));

    const Layout longText =
        ErrorLayout(QStringLiteral("Połączenie z serwerem zostało przerwane. ").repeated(40));
    const int halfScreen = QGuiApplication::primaryScreen()->geometry().width() / 2;
    EXPECT_LE(longText.client.width(), halfScreen + 82);
    EXPECT_GT(longText.text.height(), 3 * QFontMetrics(QApplication::font()).height());
    EXPECT_EQ(longText.client.height(), 16 + longText.text.height() + 56);
    EXPECT_EQ(longText.button.bottom() + 1, longText.client.height() - 16);
}

TEST(MessageWindowsTest, CaptionIconAndButtonsPerKind)
{
    struct Row
    {
        std::function<void()> show;
        QString caption;
        QStyle::StandardPixmap icon;
        QStringList buttons;
        std::vector<int> answers;
    };
    const Row rows[] = {
        /*0*/ {[] { ShowError(QStringLiteral("e")); },
               QStringLiteral("Błąd!"),
               QStyle::SP_MessageBoxCritical,
               {QStringLiteral("Akceptacja")},
               {1}},
        /*1*/
        {[] { ShowInfo(QStringLiteral("i")); },
         QStringLiteral("Komunikat"),
         QStyle::SP_MessageBoxInformation,
         {QStringLiteral("Akceptacja")},
         {1}},
        /*2*/
        {[] { AskQuestion(QStringLiteral("q"), kAnswerYes); },
         QStringLiteral("Pytanie"),
         QStyle::SP_MessageBoxQuestion,
         {QStringLiteral("Tak"), QStringLiteral("Nie")},
         {kAnswerYes, kAnswerNo}},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const Row& row = rows[i];
        AnswerWith([&row, i](TOknoKomunikatu& window) {
            EXPECT_EQ(window.windowTitle(), row.caption) << i;
            EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint) << i;
            const QImage expected = window.style()->standardIcon(row.icon).pixmap(32).toImage();
            EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("Ikona"))->pixmap().toImage(),
                      expected)
                << i;
            QStringList names;
            for (QPushButton* button : window.Buttons())
                names << button->objectName();
            EXPECT_EQ(names, row.buttons) << i;
            EXPECT_EQ(window.Answers(), row.answers) << i;
            return 1;
        });
        row.show();
    }
}

// Which button has the focus, and what Enter, the close box and Escape give.
TEST(MessageWindowsTest, QuestionFocusAndAnswers)
{
    struct Row
    {
        int defaultAnswer;
        QString focused;
        std::function<void(TOknoKomunikatu&)> act;
        int expected;
    };
    const auto enter = [](TOknoKomunikatu&) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    };
    const auto close = [](TOknoKomunikatu& window) { window.close(); };
    const auto escape = [](TOknoKomunikatu& window) { QTest::keyClick(&window, Qt::Key_Escape); };
    const Row rows[] = {
        /*0*/ {kAnswerYes, QStringLiteral("Tak"), enter, kAnswerYes},
        /*1*/ {kAnswerNo, QStringLiteral("Nie"), enter, kAnswerNo},
        /*2*/ {0, QStringLiteral("Tak"), enter, kAnswerYes},
        /*3*/ {kAnswerYes, QStringLiteral("Tak"), close, kAnswerCancel},
        /*4*/ {kAnswerNo, QStringLiteral("Nie"), escape, kAnswerCancel},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const Row& row = rows[i];
        AnswerWith([&row, i](TOknoKomunikatu& window) {
            ShowAnsweredWindow(window);
            EXPECT_EQ(QApplication::focusWidget()->objectName(), row.focused) << i;
            EXPECT_EQ(FirstInTabChain(window)->objectName(), row.focused) << i;
            row.act(window);
            EXPECT_FALSE(window.isVisible()) << i;
            return window.result();
        });
        EXPECT_EQ(
            AskQuestion(QStringLiteral("Czy nawiązać połączenie na nowo?"), row.defaultAnswer),
            row.expected)
            << i;
    }
}

TEST(MessageWindowsTest, WorkersTakeTurns)
{
    std::atomic<int> open{0};
    std::atomic<int> mostOpen{0};
    QStringList seen;
    for (int i = 0; i < 2; ++i)
        PrepareModalAnswer([&](QDialog& dialog) {
            EXPECT_EQ(QThread::currentThread(), qApp->thread());
            mostOpen = std::max(mostOpen.load(), ++open);
            seen << WindowText(dialog);
            // Long enough for the other worker to slip in if it could.
            QTest::qWait(50);
            --open;
            return kAnswerYes;
        });
    std::atomic<int> answers[2] = {0, 0};
    std::thread first([&] { answers[0] = AskQuestion(QStringLiteral("pierwsze"), kAnswerNo); });
    std::thread second([&] { answers[1] = AskQuestion(QStringLiteral("drugie"), kAnswerNo); });
    EXPECT_TRUE(ServeUntil([&] { return answers[0] != 0 && answers[1] != 0; }));
    first.join();
    second.join();
    EXPECT_EQ(answers[0], kAnswerYes);
    EXPECT_EQ(answers[1], kAnswerYes);
    EXPECT_EQ(mostOpen, 1);
    seen.sort();
    EXPECT_EQ(seen, QStringList(
                        {QStringLiteral("Pytanie: drugie"), QStringLiteral("Pytanie: pierwsze")}));
}

// A window asked for on the GUI thread while a worker's window is open (from
// a handler running inside it) opens on top instead of waiting for the lock.
TEST(MessageWindowsTest, GuiThreadWindowOpensOnTopOfAWorkersWindow)
{
    QStringList seen;
    PrepareModalAnswer([&seen](QDialog& dialog) {
        seen << WindowText(dialog);
        ShowError(QStringLiteral("Brak połączenia"));
        return kAnswerNo;
    });
    Answer(1, &seen);
    std::atomic<int> answer{0};
    std::thread worker([&] { answer = AskQuestion(QStringLiteral("Dalej?"), kAnswerYes); });
    EXPECT_TRUE(ServeUntil([&] { return answer != 0; }));
    worker.join();
    EXPECT_EQ(answer, kAnswerNo);
    EXPECT_EQ(seen, QStringList({QStringLiteral("Pytanie: Dalej?"),
                                 QStringLiteral("Błąd!: Brak połączenia")}));
}

TEST(MessageWindowsTest, UnansweredWindowIsRecordedNotWaitedFor)
{
    EXPECT_NE(AskQuestion(QStringLiteral("Usunąć?"), kAnswerYes), kAnswerYes);
    EXPECT_EQ(TakeUnansweredModals(), QStringList{QStringLiteral("OknoKomunikatu: Pytanie")});
    EXPECT_EQ(PreparedAnswersLeft(), 0);
}

} // namespace
