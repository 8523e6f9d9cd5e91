// Printing from the preview window through the print dialog to a CUPS
// scheduler of the test's own: the range chosen in the dialog, the printer
// remembered for the next run, Escape during the job, and no printer at all.
#include "modal_answers.h"
#include "numbered_report.h"
#include "private_cups.h"
#include "reports/preview_window_settings.h"
#include "reports/ui/zestawienie.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QPageRanges>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

const QString kQueue = S("Czytelnia_PDF");

// The next print dialog ends with OK, pages `from` to `to` chosen (all
// pages with 0, 0); `also` runs in it first.
void AnswerPrint(int from, int to, QString* printer = nullptr, std::function<void()> also = nullptr)
{
    PrepareModalAnswer([from, to, printer, also](QDialog& dialog) {
        auto* print = qobject_cast<QPrintDialog*>(&dialog);
        if (print == nullptr)
            return static_cast<int>(QDialog::Rejected);
        if (printer != nullptr)
            *printer = print->printer()->printerName();
        print->printer()->setPrintRange(from == 0 ? QPrinter::AllPages : QPrinter::PageRange);
        if (from != 0)
            print->printer()->setFromTo(from, to);
        if (also)
            also();
        return static_cast<int>(QDialog::Accepted);
    });
}

class PreviewPrintTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(m_cups.Start(), QString());
        ASSERT_TRUE(m_cups.IsCurrentServer());
        m_report = m_dir.filePath(S("report.tmp"));
        QFile file(m_report);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(NumberedReport(25));
    }
    void TearDown() override
    {
        QFile::remove(PrinterSettingsFilePath());
        EXPECT_EQ(TakeUnansweredModals().join(u'\n').toStdString(), "");
        EXPECT_EQ(PreparedAnswersLeft(), 0);
    }
    void AddQueue()
    {
        ASSERT_EQ(m_cups.AddPdfQueue(kQueue), QString());
        ASSERT_EQ(m_cups.SetDefault(kQueue), QString());
    }

    PrivateCups m_cups;
    QTemporaryDir m_dir;
    QString m_report;
};

TEST_F(PreviewPrintTest, PrintsTheRangeChosenInTheDialogAndRemembersThePrinter)
{
    AddQueue();
    TForm2 window{PreviewWindowSettings{}};
    ASSERT_TRUE(window.show_report(S("Odwiedziny"), m_report, S("Biblioteka – stopka")));
    QString offered;
    AnswerPrint(2, 3, &offered);
    window.Button1Click();
    EXPECT_EQ(offered, kQueue);
    QList<int> jobs;
    ASSERT_EQ(m_cups.WaitForJobs(kQueue, 1, &jobs), QString());
    EXPECT_EQ(CheckNumberedPages(PrintOutput(m_cups.OutputFile(kQueue)), 25, 2, 3,
                                 S("Biblioteka – stopka")),
              QString());
    EXPECT_FALSE(window.Printing());
    EXPECT_EQ(window.CurrentPage(), (PageAddress{1, 1})) << "the preview stays as it was";

    // The printer and its settings are kept for the next start.
    EXPECT_EQ(window.Settings().printer, kQueue);
    EXPECT_TRUE(QFileInfo(PrinterSettingsFilePath()).size() > 220);
}

TEST_F(PreviewPrintTest, EscapeDuringTheJobAbandonsIt)
{
    AddQueue();
    TForm2 window{PreviewWindowSettings{}};
    ASSERT_TRUE(window.show_report(S("Odwiedziny"), m_report, QString()));
    // The key waits in the queue until the print loop lets the window
    // answer, as the librarian's Escape would.
    AnswerPrint(0, 0, nullptr, [&window] {
        QCoreApplication::postEvent(
            &window, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    });
    window.Button1Click();
    EXPECT_FALSE(window.Printing());
    // Pages "1,3" are two runs, which the print loop cannot print in one job.
    PrepareModalAnswer([](QDialog& dialog) {
        QPrinter* printer = static_cast<QPrintDialog&>(dialog).printer();
        printer->setPrintRange(QPrinter::PageRange);
        QPageRanges pages;
        pages.addPage(1);
        pages.addPage(3);
        printer->setPageRanges(pages);
        return static_cast<int>(QDialog::Accepted);
    });
    QStringList seen;
    Answer(1, &seen);
    window.Button1Click();
    EXPECT_EQ(seen, QStringList{S("Błąd!: Błąd druku: można wydrukować tylko jeden ciągły zakres "
                                  "stron")});
    // The window prints again afterwards, and that job is the queue's only
    // one: neither the abandoned one nor the refused one reached it.
    AnswerPrint(3, 3);
    window.Button1Click();
    QList<int> jobs;
    ASSERT_EQ(m_cups.WaitForJobs(kQueue, 1, &jobs), QString());
    EXPECT_EQ(jobs.size(), 1);
    EXPECT_EQ(CheckNumberedPages(PrintOutput(m_cups.OutputFile(kQueue)), 25, 3, 3, QString()),
              QString());
}

TEST_F(PreviewPrintTest, WithoutPrintersTheLibrarianIsTold)
{
    TForm2 window{PreviewWindowSettings{}};
    ASSERT_TRUE(window.show_report(S("Odwiedziny"), m_report, QString()));
    QStringList seen;
    Answer(QMessageBox::Ok, &seen);
    window.Button1Click();
    ASSERT_EQ(seen.size(), 1);
    EXPECT_TRUE(seen[0].endsWith(S("UWAGA: brak zainstalowanych drukarek")))
        << seen[0].toStdString();
}

} // namespace
