#include "reports/ui/zestawienie.h"

#include "app/ui/message_windows.h"
#include "app/ui/modal_runner.h"
#include "app/ui/operator_message_window.h"
#include "app/ui/plain_message_box.h"
#include "printer/ui/cups_printer_system.h"
#include "printer/ui/qprinter_print_device.h"
#include "printer/zelvoran_default_printer.h"
#include "reports/my_save.h"
#include "reports/preview_picture_size.h"
#include "reports/print_progress_device.h"
#include "reports/report_search.h"
#include "reports/report_state.h"
#include "reports/tbl_report.h"
#include "reports/ui/image_preview_picture.h"
#include "reports/ui/image_surface.h"
#include "reports/ui/preview_picture_widget.h"
#include "reports/ui/program_exports.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPageRanges>
#include <QPrintDialog>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include <utility>

namespace {

const QString kCaption = QStringLiteral("Przygotowanie zestawienia");
constexpr int kPanelHeight = 32;
// Pixels the picture moves per notch of the mouse wheel.
constexpr int kWheelStep = 20;
constexpr int kWheelNotch = 120;
// How often the gauge follows the lines of a page being drawn.
constexpr qint64 kGaugeStepMs = 50;

// "Mapę bitową (BMP)|*.bmp" as the file dialog writes a filter.
QString NameFilter(const QString& filter)
{
    const qsizetype bar = filter.indexOf(u'|');
    if (bar < 0)
        return filter;
    return filter.left(bar) + QStringLiteral(" (") + filter.mid(bar + 1) + u')';
}

QString Suffix(const QString& filter)
{
    const qsizetype dot = filter.lastIndexOf(QStringLiteral("*."));
    return dot < 0 ? QString() : filter.mid(dot + 2);
}

} // namespace

TForm2::TForm2(const PreviewWindowSettings& settings, QWidget* parent)
    : QMainWindow(parent), m_settings(settings),
      m_messages(std::make_unique<OperatorMessageWindow>())
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(kCaption);
    CreateControls();
    CreateCommands();
    ApplySettings();
}

TForm2::~TForm2()
{
    ReleaseReport();
}

void TForm2::CreateControls()
{
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_scrollBox = new QScrollArea(central);
    m_scrollBox->setObjectName(QStringLiteral("ScrollBox1"));
    m_scrollBox->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_scrollBox->setBackgroundRole(QPalette::Dark);
    m_picture = new PreviewPictureWidget;
    m_scrollBox->setWidget(m_picture);
    m_scrollBox->viewport()->installEventFilter(this);
    layout->addWidget(m_scrollBox, 1);

    m_panel = new QWidget(central);
    m_panel->setObjectName(QStringLiteral("Panel1"));
    m_panel->setFixedHeight(kPanelHeight);
    auto* row = new QHBoxLayout(m_panel);
    row->setContentsMargins(4, 2, 4, 2);
    m_print = AddButton("Button1", QStringLiteral("Drukuj"), &TForm2::Button1Click);
    m_save = AddButton("Button4", QStringLiteral("Zapisz"), &TForm2::Button4Click);
    m_first = AddButton("Button5", QStringLiteral("|<"), &TForm2::Button5Click);
    m_previous = AddButton("Button2", QStringLiteral("<<"), &TForm2::Button2Click);
    m_next = AddButton("Button3", QStringLiteral(">>"), &TForm2::Button3Click);
    m_last = AddButton("Button6", QStringLiteral(">|"), &TForm2::Button6Click);
    for (QPushButton* button : {m_first, m_previous, m_next, m_last})
        button->setFixedWidth(36);
    m_pageLabel = new QLabel(m_panel);
    m_pageLabel->setObjectName(QStringLiteral("StronaLabel"));
    row->addWidget(m_pageLabel);
    m_zoomLabel = new QLabel(m_panel);
    m_zoomLabel->setObjectName(QStringLiteral("ZoomLabel"));
    row->addWidget(m_zoomLabel);
    row->addStretch(1);

    // The group's caption stands beside its choices: the panel is one row.
    m_orientation = new QGroupBox(m_panel);
    m_orientation->setObjectName(QStringLiteral("RadioGroup1"));
    m_orientation->setAccessibleName(QStringLiteral("Orientacja wydruku"));
    m_orientation->setFlat(true);
    auto* choices = new QHBoxLayout(m_orientation);
    choices->setContentsMargins(2, 0, 2, 0);
    choices->addWidget(new QLabel(QStringLiteral("Orientacja wydruku:"), m_orientation));
    m_portrait = new QRadioButton(QStringLiteral("Pionowo"), m_orientation);
    m_portrait->setObjectName(QStringLiteral("Pionowo"));
    m_landscape = new QRadioButton(QStringLiteral("Poziomo"), m_orientation);
    m_landscape->setObjectName(QStringLiteral("Poziomo"));
    choices->addWidget(m_portrait);
    choices->addWidget(m_landscape);
    connect(m_portrait, &QRadioButton::clicked, this, &TForm2::RadioGroup1Click);
    connect(m_landscape, &QRadioButton::clicked, this, &TForm2::RadioGroup1Click);
    row->addWidget(m_orientation);
    layout->addWidget(m_panel);

    // The gauge covers the panel's buttons while a page is drawn.
    m_gauge = new QProgressBar(m_panel);
    m_gauge->setObjectName(QStringLiteral("Gauge1"));
    m_gauge->setTextVisible(true);
    m_gauge->setStyleSheet(
        QStringLiteral("QProgressBar { background: palette(tooltip-base); border: 1px solid gray; "
                       "text-align: center; } QProgressBar::chunk { background: #3070e0; }"));
    m_gauge->hide();
    ShowPageControls(false);
    m_print->hide();
    m_save->hide();
}

QPushButton* TForm2::AddButton(const char* name, const QString& caption, void (TForm2::*click)())
{
    auto* button = new QPushButton(caption, m_panel);
    button->setObjectName(QString::fromLatin1(name));
    connect(button, &QPushButton::clicked, this, click);
    m_panel->layout()->addWidget(button);
    return button;
}

// Zoom, page numbers and the search, with the keys report viewers use.
void TForm2::CreateCommands()
{
    QMenu* view = menuBar()->addMenu(QStringLiteral("Widok"));
    const struct
    {
        const char* caption;
        QKeySequence keys;
        void (TForm2::*command)();
    } commands[] = {
        {"Powiększ", QKeySequence::ZoomIn, &TForm2::ZoomIn},
        {"Pomniejsz", QKeySequence::ZoomOut, &TForm2::ZoomOut},
        {"Rozmiar rzeczywisty", QKeySequence(Qt::CTRL | Qt::Key_0), &TForm2::ZoomActual},
        {"Dopasuj szerokość", QKeySequence(), &TForm2::ZoomToWidth},
        {"Cała strona", QKeySequence(), &TForm2::ZoomToPage},
        {nullptr, QKeySequence(), nullptr},
        {"Następna strona", QKeySequence(Qt::Key_PageDown), &TForm2::Button3Click},
        {"Poprzednia strona", QKeySequence(Qt::Key_PageUp), &TForm2::Button2Click},
        {"Pierwsza strona", QKeySequence(Qt::CTRL | Qt::Key_Home), &TForm2::Button5Click},
        {"Ostatnia strona", QKeySequence(Qt::CTRL | Qt::Key_End), &TForm2::Button6Click},
        {"Przejdź do strony…", QKeySequence(Qt::CTRL | Qt::Key_G), &TForm2::GoToPage},
        {nullptr, QKeySequence(), nullptr},
        {"Szukaj…", QKeySequence::Find, &TForm2::Find},
        {"Szukaj dalej", QKeySequence::FindNext, &TForm2::FindNext},
    };
    for (const auto& command : commands) {
        if (command.caption == nullptr) {
            view->addSeparator();
            continue;
        }
        QAction* action =
            view->addAction(QString::fromUtf8(command.caption), this, command.command);
        action->setShortcut(command.keys);
        // Ctrl with the "=" key under "+" zooms in too, as in other viewers.
        if (command.command == &TForm2::ZoomIn)
            action->setShortcuts({command.keys, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
        action->setEnabled(false);
        m_reportCommands << action;
    }
}

void TForm2::ApplySettings()
{
    setGeometry(m_settings.x, m_settings.y, m_settings.width, m_settings.height);
    if (m_settings.maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
}

PreviewWindowSettings TForm2::Settings() const
{
    PreviewWindowSettings settings = m_settings;
    // A maximized window keeps the place it returns to.
    const QRect normal = isMaximized() ? normalGeometry() : geometry();
    settings.x = normal.x();
    settings.y = normal.y();
    settings.width = normal.width();
    settings.height = normal.height();
    settings.maximized = isMaximized();
    return settings;
}

bool TForm2::show_report(const QString& title, const QString& path, const QString& footnote)
{
    if (m_printing)
        return false;
    // The new report's first page is drawn on the memory of the page shown
    // until now.
    QImage shown = m_picture->Picture();
    ReleaseReport();
    std::unique_ptr<tbl_report> report = tbl_report::Open(title, path, *m_messages, SiteValues());
    if (!report)
        return false;
    report->set_footnote(footnote);
    if (!m_settings.font.isEmpty())
        report->set_report_font(m_settings.font);
    AddProgramExports(*report);
    report->set_preview_picture(this);
    m_report = std::move(report);
    m_markedLine = 0;
    m_spare = std::move(shown);
    PreparePreview();
    RenderPage({1, 1});
    return true;
}

void TForm2::OpenSavedReport(const QString& footnote)
{
    QFileDialog dialog(this, QStringLiteral("Otwórz zapisane zestawienie"));
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(
        {QStringLiteral("Zestawienie NURA (SRP) (*.srp)"), QStringLiteral("Wszystkie pliki (*)")});
    if (RunModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    show_report(QFileInfo(path).fileName(), path, footnote);
}

void TForm2::PreparePreview()
{
    m_scrollBox->horizontalScrollBar()->setValue(0);
    m_scrollBox->verticalScrollBar()->setValue(0);
    m_gauge->setRange(0, 100);
    m_gauge->setValue(0);
    setWindowTitle(m_report->title());
    m_pages = std::make_unique<PreviewPages>(m_report->page_model(), m_report->lines_per_page());
    for (QAction* action : std::as_const(m_reportCommands))
        action->setEnabled(true);
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void TForm2::ShowPageControls(bool shown)
{
    for (QPushButton* button : {m_first, m_previous, m_next, m_last})
        button->setVisible(shown);
    m_orientation->setVisible(shown);
}

// The buttons stay where they are while the page is drawn: the gauge covers
// them, and hidden they would send the keyboard focus to the page's scroll
// area and back, which has it and its scroll bars painted anew each time.
void TForm2::RenderPage(PageAddress address)
{
    m_scrollBox->horizontalScrollBar()->setValue(0);
    m_scrollBox->verticalScrollBar()->setValue(0);
    m_current = address;
    const ReportPageModel::Page& page = ShownPage();

    PreviewPictureSize size;
    QString error;
    if (PreviewPageSize(m_report->settings(), page, size, error)) {
        const int zoom = ZoomThatFits(size, m_zoom);
        m_gauge->setGeometry(m_panel->rect());
        m_gauge->setRange(0, std::max(page.last - page.first + 1, 1));
        m_gauge->setValue(0);
        m_gauge->show();
        m_gauge->raise();
        m_surface.reset();
        m_surface = std::make_unique<ImageSurface>(size.width, size.height,
                                                   ImagePreviewPicture::kScreenResolution,
                                                   zoom / 100.0, std::exchange(m_spare, QImage()));
        m_report->use_preview_surface(*m_surface);
        // The gauge paints itself at once on every change, which costs more
        // than drawing a line; it follows a page that takes a while, and one
        // drawn quicker than the eye would see it never shows.
        QElapsedTimer sinceGauge;
        sinceGauge.start();
        error = m_report->render_page(address.section, address.page,
                                      [this, &sinceGauge](int done, int) {
                                          if (sinceGauge.elapsed() < kGaugeStepMs)
                                              return;
                                          m_gauge->setValue(done);
                                          sinceGauge.restart();
                                      });
        m_surface->End();
        // The page shown until now is drawn over next time instead of new
        // memory being asked for.
        m_spare = m_picture->Picture();
        m_picture->SetPicture(m_surface->Image());
        const ReportSettings& settings = m_report->settings();
        if (m_markedLine >= page.first && m_markedLine <= page.last) {
            const int top =
                settings.header.height + (m_markedLine - page.first) * settings.line.height;
            m_picture->SetMark(QRect(0, Zoomed(top, zoom), Zoomed(size.width, zoom),
                                     Zoomed(settings.line.height, zoom)));
            m_scrollBox->ensureVisible(0, Zoomed(top, zoom), 0, Zoomed(settings.line.height, zoom));
        } else {
            m_picture->SetMark(QRect());
        }
        m_zoomLabel->setText(QStringLiteral("%1%").arg(zoom));
    } else {
        m_picture->SetPicture(QImage());
    }
    m_gauge->hide();
    m_print->show();
    m_save->show();
    m_first->setVisible(m_pages->HasPrevious(address));
    m_previous->setVisible(m_pages->HasPrevious(address));
    m_next->setVisible(m_pages->HasNext(address));
    m_last->setVisible(m_pages->HasNext(address));
    m_landscape->setChecked(m_report->orientation() == ReportOrientation::Landscape);
    m_portrait->setChecked(m_report->orientation() != ReportOrientation::Landscape);
    m_orientation->show();
    m_pageLabel->setText(PageIndicator());
    // A number that did not convert leaves the page as far as it was drawn;
    // the window stays usable.
    if (!error.isEmpty())
        ShowError(error);
}

void TForm2::RenderAgain()
{
    if (m_report)
        RenderPage(m_current);
}

const ReportPageModel::Page& TForm2::ShownPage() const
{
    return m_pages->At(m_pages->IndexOf(m_current));
}

QString TForm2::PageIndicator() const
{
    if (!m_pages)
        return QString();
    return QStringLiteral("Strona %1 z %2")
        .arg(m_pages->IndexOf(m_current) + 1)
        .arg(m_pages->Count());
}

void TForm2::Navigate(PageAddress address, QPushButton* focus)
{
    if (!m_report || m_printing)
        return;
    RenderPage(address);
    if (focus->isVisible())
        focus->setFocus();
}

void TForm2::Button5Click()
{
    if (m_pages)
        Navigate(m_pages->First(), m_next);
}

void TForm2::Button3Click()
{
    if (m_pages && m_pages->HasNext(m_current))
        Navigate(m_pages->Next(m_current), m_next);
}

void TForm2::Button2Click()
{
    if (m_pages && m_pages->HasPrevious(m_current))
        Navigate(m_pages->Previous(m_current), m_previous);
}

void TForm2::Button6Click()
{
    if (m_pages)
        Navigate(m_pages->Last(), m_previous);
}

// The preview's page length follows the orientation, so the pages are laid
// out anew from the first.
void TForm2::RadioGroup1Click()
{
    if (!m_report || m_printing)
        return;
    m_report->set_orientation(m_landscape->isChecked() ? ReportOrientation::Landscape
                                                       : ReportOrientation::Portrait);
    m_pages = std::make_unique<PreviewPages>(m_report->page_model(), m_report->lines_per_page());
    RenderPage({1, 1});
}

void TForm2::SetZoom(int percent)
{
    m_zoom = std::clamp(percent, kMinZoom, kMaxZoom);
    if (!m_printing)
        RenderAgain();
}

void TForm2::ZoomIn()
{
    SetZoom(::ZoomIn(m_zoom));
}

void TForm2::ZoomOut()
{
    SetZoom(::ZoomOut(m_zoom));
}

void TForm2::ZoomActual()
{
    SetZoom(100);
}

void TForm2::ZoomToWidth()
{
    if (m_report)
        SetZoom(::ZoomToWidth(m_report->design_width(),
                              m_scrollBox->viewport()->width() -
                                  m_scrollBox->verticalScrollBar()->sizeHint().width()));
}

void TForm2::ZoomToPage()
{
    if (!m_report)
        return;
    PreviewPictureSize size;
    QString error;
    if (PreviewPageSize(m_report->settings(), ShownPage(), size, error))
        SetZoom(::ZoomToPage(size, m_scrollBox->viewport()->width(),
                             m_scrollBox->viewport()->height()));
}

void TForm2::GoToPage()
{
    if (!m_report || m_printing)
        return;
    QInputDialog dialog(this);
    dialog.setObjectName(QStringLiteral("GoToPage"));
    dialog.setWindowTitle(QStringLiteral("Przejdź do strony"));
    dialog.setInputMode(QInputDialog::IntInput);
    dialog.setLabelText(QStringLiteral("Numer strony (1–%1):").arg(m_pages->Count()));
    dialog.setIntRange(1, m_pages->Count());
    dialog.setIntValue(m_pages->IndexOf(m_current) + 1);
    if (RunModal(dialog) == QDialog::Accepted)
        Navigate(m_pages->AddressAt(dialog.intValue() - 1), m_next);
}

void TForm2::Find()
{
    if (!m_report || m_printing)
        return;
    QInputDialog dialog(this);
    dialog.setObjectName(QStringLiteral("FindText"));
    dialog.setWindowTitle(QStringLiteral("Szukaj w zestawieniu"));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(QStringLiteral("Szukany tekst:"));
    dialog.setTextValue(m_findText);
    if (RunModal(dialog) != QDialog::Accepted || dialog.textValue().isEmpty())
        return;
    m_findText = dialog.textValue();
    SearchFrom(ShownPage().first);
}

// Goes on after the line found last while it is on the page shown, else
// from the page's first line.
void TForm2::FindNext()
{
    if (!m_report || m_printing)
        return;
    if (m_findText.isEmpty()) {
        Find();
        return;
    }
    const ReportPageModel::Page& page = ShownPage();
    const bool onPage = m_markedLine >= page.first && m_markedLine <= page.last;
    SearchFrom(onPage ? m_markedLine + 1 : page.first);
}

void TForm2::SearchFrom(int line)
{
    const auto* table = dynamic_cast<const tbl_report*>(m_report.get());
    const int found = table ? FindInReport(table->data_lines(), m_findText, line) : 0;
    if (found == 0) {
        ShowInfo(QStringLiteral("Nie znaleziono"));
        return;
    }
    m_markedLine = found;
    Navigate(m_pages->AddressAt(m_pages->IndexOfLine(found)), m_next);
}

void TForm2::Button4Click()
{
    if (!m_report || m_printing)
        return;
    std::vector<std::unique_ptr<my_save>>& exports = m_report->exports();
    QStringList filters;
    for (const std::unique_ptr<my_save>& format : exports)
        filters << NameFilter(format->filter());
    QFileDialog dialog(this, QStringLiteral("Zapisz zestawienie"));
    dialog.setObjectName(QStringLiteral("SaveDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QStringLiteral("bmp"));
    dialog.selectFile(QStringLiteral("raport"));
    // A name typed without an extension takes the chosen format's.
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        dialog.setDefaultSuffix(Suffix(filter).remove(u')'));
    });
    if (RunModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    // The chosen filter decides the format, whatever the name's extension.
    const qsizetype chosen = filters.indexOf(dialog.selectedNameFilter());
    if (chosen < 0)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    exports[static_cast<size_t>(chosen)]->save(*m_report, dialog.selectedFiles().constFirst(),
                                               *m_messages);
    QApplication::restoreOverrideCursor();
}

// The bitmap export saves the page on screen as it is at 100 %, whatever
// the zoom: drawn once more on a picture of its own.
bool TForm2::SaveBitmap(const QString& file)
{
    if (!m_report)
        return false;
    const ReportPageModel::Page& page = ShownPage();
    PreviewPictureSize size;
    QString error;
    if (!PreviewPageSize(m_report->settings(), page, size, error)) {
        ShowError(error);
        return false;
    }
    ImagePreviewPicture picture;
    m_report->use_preview_surface(picture.NewPage(size.width, size.height));
    m_report->render_page(m_current.section, m_current.page);
    const bool saved = picture.SaveBitmap(file);
    RestorePreviewSurface();
    return saved;
}

// The report draws on the page shown again (after printing or the bitmap
// export drew elsewhere); one that no page could be shown for has none.
void TForm2::RestorePreviewSurface()
{
    if (m_surface)
        m_report->use_preview_surface(*m_surface);
}

void TForm2::ReleaseReport()
{
    m_report.reset();
    m_pages.reset();
    m_surface.reset();
    m_spare = QImage();
    m_markedLine = 0;
    if (m_picture)
        m_picture->SetPicture(QImage());
    for (QAction* action : std::as_const(m_reportCommands))
        action->setEnabled(false);
}

// Closing releases the report; while a job is printing, closing cancels
// it instead, and the window closes afterwards by hand.
void TForm2::closeEvent(QCloseEvent* event)
{
    if (m_printing) {
        m_cancelPrinting = true;
        event->ignore();
        return;
    }
    ReleaseReport();
    setWindowTitle(kCaption);
    event->accept();
}

void TForm2::keyPressEvent(QKeyEvent* event)
{
    if (m_printing && event->key() == Qt::Key_Escape) {
        m_cancelPrinting = true;
        return;
    }
    QMainWindow::keyPressEvent(event);
}

// The wheel moves the picture 20 pixels a notch; with Ctrl held it zooms.
bool TForm2::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_scrollBox->viewport() && event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        const int delta = wheel->angleDelta().y();
        if (wheel->modifiers() & Qt::ControlModifier) {
            if (delta != 0)
                SetZoom(delta > 0 ? ::ZoomIn(m_zoom) : ::ZoomOut(m_zoom));
            return true;
        }
        QScrollBar* bar = m_scrollBox->verticalScrollBar();
        if (bar->isVisible()) {
            bar->setValue(bar->value() - delta * kWheelStep / kWheelNotch);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

namespace {

// The plain message box for what the printer settings have to say.
class PlainMessages : public OperatorMessages
{
public:
    void ShowMessage(const QString& text) override { ShowPlainMessage(text); }
};

} // namespace

// The printer object lives from the first print to the program's end, so
// the settings chosen in the dialog hold for every later report.
ZelvoranDefaultPrinter& TForm2::Printer()
{
    if (!m_printer) {
        m_printers = std::make_unique<CupsPrinterSystem>();
        m_printer = std::make_unique<ZelvoranDefaultPrinter>(*m_printers);
    }
    return *m_printer;
}

void TForm2::Button1Click()
{
    if (!m_report || m_printing)
        return;
    ZelvoranDefaultPrinter& printer = Printer();
    if (m_printers->InstalledPrinters().isEmpty()) {
        ShowPlainMessage(ZelvoranDefaultPrinter::NoPrintersText());
        return;
    }
    PlainMessages plain;
    // The librarian's printer, with the paper and tray chosen last time,
    // also after a restart (the per-user settings file).
    printer.SelectSavedPrinter(m_settings.printer, PrinterSettingsFilePath(), plain);
    QPrinter& qprinter = m_printers->Printer();
    QPrinterPrintDevice device(qprinter);
    device.SetOrientation(m_report->orientation());
    QString error;
    const int pages = m_report->count_pages(device, error);
    if (!error.isEmpty()) {
        ShowError(error);
        return;
    }

    QPrintDialog dialog(&qprinter, this);
    dialog.setObjectName(QStringLiteral("PrintDialog1"));
    // Printing to a file is the PDF export's work, under "Zapisz".
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange |
                      QAbstractPrintDialog::PrintShowPageSize);
    // Every page of the report can be chosen, however many it has.
    dialog.setMinMax(1, std::max(pages, 1));
    qprinter.setPrintRange(QPrinter::AllPages);
    qprinter.setFromTo(1, std::max(pages, 1));
    if (RunModal(dialog) != QDialog::Accepted)
        return;
    // The print loop prints one run of pages; "1,3" typed as the pages
    // would otherwise print page 2 as well.
    if (qprinter.printRange() == QPrinter::PageRange &&
        qprinter.pageRanges().toRangeList().size() > 1) {
        ShowError(QStringLiteral("Błąd druku: można wydrukować tylko jeden ciągły zakres stron"));
        return;
    }
    if (qprinter.printRange() == QPrinter::PageRange)
        m_report->set_print_range(qprinter.fromPage(), qprinter.toPage());
    else
        m_report->set_print_range(0, 0);
    if (const QString remembered =
            printer.RememberChosenPrinter(m_settings.printer, PrinterSettingsFilePath());
        !remembered.isEmpty())
        ShowPlainMessage(remembered);
    // The dialog may have turned the page; the report's own choice holds.
    device.SetOrientation(m_report->orientation());

    const int sheets = qprinter.printRange() == QPrinter::PageRange
                           ? qprinter.toPage() - qprinter.fromPage() + 1
                           : pages;
    SetPrinting(true);
    m_gauge->setRange(0, std::max(sheets, 1));
    PrintProgressDevice watched(device, [this, sheets](int sheet) {
        m_gauge->setValue(sheet - 1);
        m_gauge->setFormat(QStringLiteral("Drukowanie: strona %1 z %2").arg(sheet).arg(sheets));
        QApplication::processEvents();
        return !m_cancelPrinting;
    });
    error = m_report->print_all(watched);
    SetPrinting(false);
    RestorePreviewSurface();
    if (!error.isEmpty() && !watched.Cancelled())
        ShowError(error);
}

// While a job prints, the window keeps painting and answers Escape, but
// nothing else may change the report under the print loop.
void TForm2::SetPrinting(bool printing)
{
    m_printing = printing;
    m_cancelPrinting = false;
    m_panel->setEnabled(!printing);
    menuBar()->setEnabled(!printing);
    m_gauge->setFormat(QStringLiteral("%p%"));
    m_gauge->setGeometry(m_panel->rect());
    m_gauge->setVisible(printing);
    if (printing) {
        m_gauge->raise();
        setFocus();
    }
}
