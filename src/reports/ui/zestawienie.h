#pragma once

#include "reports/my_report.h"
#include "reports/preview_pages.h"
#include "reports/preview_window_settings.h"

#include <QImage>
#include <QMainWindow>

#include <memory>

class CupsPrinterSystem;
class ImageSurface;
class OperatorMessages;
class PreviewPictureWidget;
class QAction;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollArea;
class ZelvoranDefaultPrinter;

// The report preview window, where a computed report's pages are looked at,
// printed and saved. Created once at start and shown for each report. It
// only shows and forwards: the pages, the walks between them, the search and
// the zoom steps are the report core's.
class TForm2 : public QMainWindow, private PreviewPicture
{
    Q_OBJECT
public:
    // `settings` are the ones the main window read from the configuration.
    explicit TForm2(const PreviewWindowSettings& settings, QWidget* parent = nullptr);
    ~TForm2() override;

    // Shows the report in `path` from its first page; a report shown before
    // is released first. False (nothing shown) when the file cannot be read;
    // the reason has been shown.
    bool show_report(const QString& title, const QString& path, const QString& footnote);
    // Asks for a saved report file (SRP) and shows it with the file's name
    // as title; no server is needed.
    void OpenSavedReport(const QString& footnote);
    // The settings as they stand now, for writing back at the program's close.
    PreviewWindowSettings Settings() const;

    // The window's commands, as its buttons, menu and keys give them.
    void Button1Click(); // "Drukuj"
    void Button4Click(); // "Zapisz"
    void Button5Click(); // "|<"
    void Button2Click(); // "<<"
    void Button3Click(); // ">>"
    void Button6Click(); // ">|"
    void RadioGroup1Click();
    void ZoomIn();
    void ZoomOut();
    void ZoomActual();
    void ZoomToWidth();
    void ZoomToPage();
    void GoToPage();
    void Find();
    void FindNext();

    // What tests look at.
    my_report* Report() const { return m_report.get(); }
    PageAddress CurrentPage() const { return m_current; }
    int ZoomPercent() const { return m_zoom; }
    // "Strona N z M": the page's place among all pages of the preview.
    QString PageIndicator() const;
    PreviewPictureWidget* Picture() const { return m_picture; }
    // The data line the last search found, 0 when none is marked.
    int MarkedLine() const { return m_markedLine; }
    bool Printing() const { return m_printing; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void CreateCommands();
    QPushButton* AddButton(const char* name, const QString& caption, void (TForm2::*click)());
    void ApplySettings();
    void PreparePreview();
    void RenderPage(PageAddress address);
    void RenderAgain();
    // The lines of the page on screen.
    const ReportPageModel::Page& ShownPage() const;
    void ShowPageControls(bool shown);
    void Navigate(PageAddress address, QPushButton* focus);
    void SetZoom(int percent);
    void SearchFrom(int line);
    void ReleaseReport();
    void RestorePreviewSurface();
    void SetPrinting(bool printing);
    ZelvoranDefaultPrinter& Printer();
    bool SaveBitmap(const QString& file) override;

    PreviewWindowSettings m_settings;
    std::unique_ptr<OperatorMessages> m_messages;
    std::unique_ptr<my_report> m_report;
    std::unique_ptr<PreviewPages> m_pages;
    std::unique_ptr<ImageSurface> m_surface;
    // The page shown before the one on screen, whose memory the next page is
    // drawn on.
    QImage m_spare;
    std::unique_ptr<CupsPrinterSystem> m_printers;
    std::unique_ptr<ZelvoranDefaultPrinter> m_printer;
    PageAddress m_current;
    int m_zoom = 100;
    QString m_findText;
    int m_markedLine = 0;
    bool m_printing = false;
    bool m_cancelPrinting = false;

    QScrollArea* m_scrollBox = nullptr;
    PreviewPictureWidget* m_picture = nullptr;
    QWidget* m_panel = nullptr;
    QProgressBar* m_gauge = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_first = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_last = nullptr;
    QLabel* m_pageLabel = nullptr;
    QLabel* m_zoomLabel = nullptr;
    QGroupBox* m_orientation = nullptr;
    QRadioButton* m_portrait = nullptr;
    QRadioButton* m_landscape = nullptr;
    QList<QAction*> m_reportCommands;
};
