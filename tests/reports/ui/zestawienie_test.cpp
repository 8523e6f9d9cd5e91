// The report preview window on the offscreen platform: showing a report,
// walking its pages with the buttons and keys, the orientation, zoom, search,
// saving in every format and opening a saved report. Dialogs are answered
// through RunModal.
#include "client/ansi_codec.h"
#include "modal_answers.h"
#include "reports/ui/preview_picture_widget.h"
#include "reports/ui/zestawienie.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

// 800 units wide, ten lines a page: a 20-unit header, 10-unit lines and a
// 20-unit footer.
QStringList TenLinesAPage(const char* layout = "ALIGN=CONST 10")
{
    return {S("[REPORT 800 %1]").arg(S(layout)),
            S("[HEADER 20]"),
            S("TEXT #Strona_%P 0 0"),
            S("[LINE 10]"),
            S("TEXT &n 0 0"),
            S("TEXT &tytul 100 0"),
            S("[FOOTER 20]"),
            S("TEXT #koniec 0 0 LAST"),
            S("[END]")};
}

QStringList Rows(int count)
{
    QStringList rows;
    for (int row = 1; row <= count; ++row)
        rows << S("&n=%1&tytul=Wiersz %1 Żółw").arg(row);
    return rows;
}

// The next file dialog chooses `file` with the filter at `filterIndex`.
void AnswerFile(const QString& file, int filterIndex = 0, QStringList* filters = nullptr)
{
    PrepareModalAnswer([file, filterIndex, filters](QDialog& dialog) {
        auto* files = qobject_cast<QFileDialog*>(&dialog);
        if (files == nullptr)
            return static_cast<int>(QDialog::Rejected);
        if (filters != nullptr)
            *filters = files->nameFilters();
        files->selectNameFilter(files->nameFilters().value(filterIndex));
        files->selectFile(file);
        return static_cast<int>(QDialog::Accepted);
    });
}

// The next input dialog is confirmed with `value`.
void AnswerInput(const QVariant& value)
{
    PrepareModalAnswer([value](QDialog& dialog) {
        auto* input = qobject_cast<QInputDialog*>(&dialog);
        if (input == nullptr)
            return static_cast<int>(QDialog::Rejected);
        if (input->inputMode() == QInputDialog::IntInput)
            input->setIntValue(value.toInt());
        else
            input->setTextValue(value.toString());
        return static_cast<int>(QDialog::Accepted);
    });
}

class PreviewWindowTest : public testing::Test
{
protected:
    void TearDown() override
    {
        EXPECT_EQ(TakeUnansweredModals(), QStringList());
        EXPECT_EQ(PreparedAnswersLeft(), 0);
    }

    QString WriteReport(const QStringList& lines, const char* name = "report.tmp")
    {
        const QString path = m_dir.filePath(S(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(EncodeAnsi(lines.join(S("\r\n"))));
        return path;
    }
    // Shows the report and waits until the window is active, as it is for
    // the librarian: its keys and focus work only then.
    bool Show(const QStringList& description, const QStringList& data)
    {
        if (!m_window.show_report(S("Odwiedziny"), WriteReport(description + data), S("stopka")))
            return false;
        m_window.activateWindow();
        return QTest::qWaitForWindowActive(&m_window);
    }
    QPushButton* Button(const char* name) const
    {
        return m_window.findChild<QPushButton*>(S(name));
    }
    // Which of "|<", "<<", ">>", ">|" are visible, as "|< >> " etc.
    QString Visible() const
    {
        QString shown;
        for (const char* name : {"Button5", "Button2", "Button3", "Button6"}) {
            if (Button(name)->isVisible())
                shown += Button(name)->text() + u' ';
        }
        return shown;
    }
    QString Where() const
    {
        return S("%1,%2 %3 %4")
            .arg(m_window.CurrentPage().section)
            .arg(m_window.CurrentPage().page)
            .arg(m_window.PageIndicator(), Visible());
    }

    QTemporaryDir m_dir;
    TForm2 m_window{PreviewWindowSettings{}};
};

TEST_F(PreviewWindowTest, ShowsTheFirstPageAndWalksWithButtonsAndKeys)
{
    EXPECT_EQ(m_window.windowTitle(), S("Przygotowanie zestawienia"));
    ASSERT_TRUE(Show(TenLinesAPage(), Rows(25)));
    EXPECT_EQ(m_window.windowTitle(), S("Odwiedziny"));
    EXPECT_TRUE(Button("Button1")->isVisible());
    EXPECT_TRUE(Button("Button4")->isVisible());
    EXPECT_FALSE(m_window.findChild<QWidget*>(S("Gauge1"))->isVisible());
    EXPECT_EQ(m_window.Picture()->Picture().size(), QSize(800, 140));

    const struct
    {
        const char* action;
        const char* where;
        const char* focus;
    } steps[] = {
        {"Button3", "1,2 Strona 2 z 3 |< << >> >| ", "Button3"},
        {"Button6", "1,3 Strona 3 z 3 |< << ", "Button2"},
        {"Button2", "1,2 Strona 2 z 3 |< << >> >| ", "Button2"},
        {"Button5", "1,1 Strona 1 z 3 >> >| ", "Button3"},
        {"PgDown", "1,2 Strona 2 z 3 |< << >> >| ", nullptr},
        {"CtrlEnd", "1,3 Strona 3 z 3 |< << ", nullptr},
        {"PgUp", "1,2 Strona 2 z 3 |< << >> >| ", nullptr},
        {"CtrlHome", "1,1 Strona 1 z 3 >> >| ", nullptr},
    };
    for (const auto& step : steps) {
        const QString action = S(step.action);
        if (action.startsWith(u'B'))
            Button(step.action)->click();
        else if (action == S("PgDown"))
            QTest::keyClick(&m_window, Qt::Key_PageDown);
        else if (action == S("PgUp"))
            QTest::keyClick(&m_window, Qt::Key_PageUp);
        else if (action == S("CtrlEnd"))
            QTest::keyClick(&m_window, Qt::Key_End, Qt::ControlModifier);
        else
            QTest::keyClick(&m_window, Qt::Key_Home, Qt::ControlModifier);
        EXPECT_EQ(Where(), S(step.where)) << step.action;
        if (step.focus != nullptr) {
            EXPECT_EQ(QApplication::focusWidget(), Button(step.focus)) << step.action;
        }
    }

    AnswerInput(2);
    m_window.GoToPage();
    EXPECT_EQ(Where(), S("1,2 Strona 2 z 3 |< << >> >| "));
}

TEST_F(PreviewWindowTest, AReportWithoutDataHasOnePageAndNoWalks)
{
    ASSERT_TRUE(Show(TenLinesAPage(), {}));
    EXPECT_EQ(Where(), S("1,1 Strona 1 z 1 "));
    EXPECT_TRUE(m_window.findChild<QWidget*>(S("RadioGroup1"))->isVisible());
}

TEST_F(PreviewWindowTest, LandscapeLaysThePagesOutAgainFromTheFirst)
{
    ASSERT_TRUE(Show(TenLinesAPage("ALIGN=FULL"), Rows(200)));
    Button("Button3")->click();
    const QString portrait = m_window.PageIndicator();
    m_window.findChild<QRadioButton*>(S("Poziomo"))->click();
    EXPECT_EQ(m_window.Report()->orientation(), ReportOrientation::Landscape);
    EXPECT_EQ(m_window.CurrentPage(), (PageAddress{1, 1}));
    EXPECT_NE(m_window.PageIndicator().section(u' ', 3), portrait.section(u' ', 3))
        << "a landscape page holds fewer lines";
    m_window.findChild<QRadioButton*>(S("Pionowo"))->click();
    EXPECT_EQ(m_window.Report()->orientation(), ReportOrientation::Portrait);
}

// The chosen filter decides the format, whatever the name ends with.
TEST_F(PreviewWindowTest, SavesInTheFormatOfTheChosenFilter)
{
    ASSERT_TRUE(Show(TenLinesAPage(), Rows(3)));
    const struct
    {
        int filter;
        QByteArray begins;
    } formats[] = {{0, "BM"},        {1, "[REPORT 800"}, {2, "n;tytul\r\n\"1\""},
                   {3, "1\tWiersz"}, {4, "%PDF"},        {5, "PK"}};
    QStringList filters;
    for (const auto& format : formats) {
        const QString file = m_dir.filePath(S("zapis%1.bmp").arg(format.filter));
        AnswerFile(file, format.filter, &filters);
        m_window.Button4Click();
        QFile saved(file);
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly)) << format.filter;
        EXPECT_TRUE(saved.readAll().startsWith(format.begins)) << format.filter;
    }
    EXPECT_EQ(
        filters,
        (QStringList{S("Mapę bitową (BMP) (*.bmp)"), S("Zestawienie NURA (SRP) (*.srp)"),
                     S("Tabela tekstowa (CSV) (*.csv)"), S("Tekst separowany tabulacja (*.txt)"),
                     S("Dokument PDF (PDF) (*.pdf)"), S("Skoroszyt (XLSX) (*.xlsx)")}));
}

TEST_F(PreviewWindowTest, ZoomDrawsThePageAgainAndTheBitmapStaysAtFullSize)
{
    ASSERT_TRUE(Show(TenLinesAPage(), Rows(25)));
    const struct
    {
        void (TForm2::*command)();
        int zoom;
    } steps[] = {{&TForm2::ZoomIn, 110},
                 {&TForm2::ZoomIn, 125},
                 {&TForm2::ZoomOut, 110},
                 {&TForm2::ZoomActual, 100}};
    for (const auto& step : steps) {
        (m_window.*step.command)();
        EXPECT_EQ(m_window.ZoomPercent(), step.zoom);
        EXPECT_EQ(m_window.Picture()->Picture().width(), (800 * step.zoom + 99) / 100);
    }
    for (int i = 0; i < 20; ++i)
        QTest::keyClick(&m_window, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(m_window.ZoomPercent(), 400);
    EXPECT_EQ(m_window.Picture()->Picture().size(), QSize(3200, 560));

    // At 400 % the page is taller than the window: the wheel moves it.
    m_window.resize(600, 400);
    m_window.show();
    auto* box = m_window.findChild<QScrollArea*>(S("ScrollBox1"));
    ASSERT_TRUE(QTest::qWaitFor([box] { return box->verticalScrollBar()->isVisible(); }));
    box->verticalScrollBar()->setValue(100);
    QWheelEvent wheel(QPointF(10, 10), box->viewport()->mapToGlobal(QPointF(10, 10)), QPoint(),
                      QPoint(0, -240), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(box->viewport(), &wheel);
    EXPECT_EQ(box->verticalScrollBar()->value(), 140);

    const QString bitmap = m_dir.filePath(S("strona.bmp"));
    AnswerFile(bitmap, 0);
    m_window.Button4Click();
    EXPECT_EQ(QImage(bitmap).size(), QSize(800, 140));
    EXPECT_EQ(m_window.Picture()->Picture().width(), 3200) << "the zoom on screen stays";
}

TEST_F(PreviewWindowTest, FindShowsThePageOfTheNextMatchAndMarksIt)
{
    ASSERT_TRUE(Show(TenLinesAPage(), Rows(25)));
    AnswerInput(S("wiersz 17 ŻÓŁW"));
    m_window.Find();
    EXPECT_EQ(m_window.CurrentPage(), (PageAddress{1, 2}));
    EXPECT_EQ(m_window.MarkedLine(), 17);
    EXPECT_EQ(m_window.Picture()->Mark(), QRect(0, 20 + 6 * 10, 800, 10));

    AnswerInput(S("żółw"));
    m_window.Find();
    EXPECT_EQ(m_window.MarkedLine(), 11) << "from the page shown";
    m_window.FindNext();
    EXPECT_EQ(m_window.MarkedLine(), 12);

    QStringList seen;
    AnswerInput(S("nie ma takiego"));
    Answer(1, &seen);
    m_window.Find();
    EXPECT_EQ(seen, QStringList{S("Komunikat: Nie znaleziono")});
    EXPECT_EQ(m_window.MarkedLine(), 12);
}

TEST_F(PreviewWindowTest, OpensASavedReportUnderItsFileName)
{
    ASSERT_TRUE(Show(TenLinesAPage(), Rows(12)));
    const QString saved = m_dir.filePath(S("dzienny.srp"));
    AnswerFile(saved, 1);
    m_window.Button4Click();
    m_window.close();
    EXPECT_EQ(m_window.Report(), nullptr) << "closing releases the report";

    AnswerFile(saved);
    m_window.OpenSavedReport(S("stopka"));
    ASSERT_NE(m_window.Report(), nullptr);
    EXPECT_EQ(m_window.windowTitle(), S("dzienny.srp"));
    EXPECT_EQ(m_window.PageIndicator(), S("Strona 1 z 2"));
}

TEST_F(PreviewWindowTest, BrokenReportsAreToldAndTheWindowStaysUsable)
{
    QStringList seen;
    Answer(1, &seen);
    EXPECT_FALSE(m_window.show_report(S("x"), m_dir.filePath(S("brak.tmp")), QString()));
    ASSERT_EQ(seen.size(), 1);
    EXPECT_TRUE(seen[0].endsWith(S("Brak pliku: ") + m_dir.filePath(S("brak.tmp"))))
        << seen[0].toStdString();

    // A page far larger than any screen is refused, not allocated.
    seen.clear();
    Answer(1, &seen);
    ASSERT_TRUE(
        Show({S("[REPORT 900000000 ALIGN=CONST 10]"), S("[LINE 10]"), S("TEXT &n 0 0"), S("[END]")},
             Rows(3)));
    ASSERT_EQ(seen.size(), 1);
    EXPECT_TRUE(seen[0].contains(S("Strona zestawienia jest za duża do pokazania")))
        << seen[0].toStdString();
    EXPECT_TRUE(m_window.Picture()->Picture().isNull());

    // A number that does not convert stops the page where it is; the next
    // page still draws.
    seen.clear();
    Answer(1, &seen);
    ASSERT_TRUE(Show({S("[REPORT 800 ALIGN=CONST 2]"), S("[LINE 10]"), S("BOX &n 0 1 1"),
                      S("TEXT &n 0 0"), S("[END]")},
                     {S("&n=1"), S("&n=x1"), S("&n=3")}));
    EXPECT_EQ(seen, QStringList{S("Błąd!: 'x1' nie jest liczbą całkowitą")});
    Button("Button3")->click();
    EXPECT_EQ(m_window.CurrentPage(), (PageAddress{1, 2}));
}

TEST_F(PreviewWindowTest, AppliesAndReportsItsSettings)
{
    PreviewWindowSettings settings;
    settings.x = 40;
    settings.y = 50;
    settings.width = 640;
    settings.height = 480;
    settings.printer = S("Biuro");
    TForm2 window(settings);
    const PreviewWindowSettings back = window.Settings();
    EXPECT_EQ(QRect(back.x, back.y, back.width, back.height), QRect(40, 50, 640, 480));
    EXPECT_FALSE(back.maximized);
    EXPECT_EQ(back.printer, S("Biuro"));
}

} // namespace
