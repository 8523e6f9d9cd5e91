#include "app/ui/tokno_czytelni.h"

#include "app/autologin_file.h"
#include "app/reading_room_caption.h"
#include "app/report_form_file.h"
#include "app/ui/message_windows.h"
#include "app/ui/my_button.h"
#include "app/ui/plain_message_box.h"
#include "app/ui/tokno_licznika.h"
#include "app/ui/tokno_logowania.h"
#include "app/ui/zestaw_item.h"
#include "catalog/current_session.h"
#include "catalog/session_opening.h"
#include "catalog/twypozyczalnia.h"
#include "client/https_settings.h"
#include "client/keep_alive_setting.h"
#include "client/lm_timer.h"
#include "client/nura_client.h"
#include "client/nura_text_helpers.h"
#include "config/code_page_setting.h"
#include "config/config_path.h"
#include "config/ini_file.h"
#include "config/ini_macro.h"
#include "forms/ui/parametry.h"
#include "reports/ui/zestawienie.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDate>
#include <QFontDatabase>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>

namespace {

const QString kService = QStringLiteral("czytelnia");
constexpr int kKodBoxHeight = 60;

QString ServerParameter(const QString& key)
{
    const Twypozyczalnia* session = CurrentSession();
    return session == nullptr ? QString() : GetParam(session->Client(), key);
}

} // namespace

TOknoCzytelni::TOknoCzytelni(const QString& configFile, const QString& programFolder)
    : m_configFile(configFile)
{
    setObjectName(QStringLiteral("OknoCzytelni"));
    setWindowTitle(QStringLiteral("Czytelnia"));
    // A single border with the system menu and the minimize button: the
    // window takes the size of its buttons and is never resized by hand.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    CreateMenu();
    CreateControls();

    const IniFile file(configFile);
    const MacroTable macros = MacroTable::Build(file, FolderOf(configFile));
    ScreenGeometry screens;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        screens.primary = screen->size();
        screens.desktop = screen->virtualSize();
    }
    screens.window = sizeHint();
    m_settings = ReadReadingRoomSettings(file, macros, screens, programFolder);
    m_previewSettings = ReadPreviewWindowSettings(file);
    if (const QString error = PrepareWorkingFolder(m_settings.workingFolder); !error.isEmpty())
        ShowPlainMessage(error);
    m_onTop->setChecked(m_settings.onTop);
    ApplyConfiguredKeepAlive(file);
    ApplyConfiguredHttps(file, FolderOf(configFile));
    if (const QString error = ApplyConfiguredCodePage(configFile); !error.isEmpty())
        ShowPlainMessage(error);
    move(m_settings.left, m_settings.top);

    // The window sees every key before the control that has the focus: a
    // scanner types into the window whatever is focused.
    qApp->installEventFilter(this);
}

TOknoCzytelni::~TOknoCzytelni()
{
    qApp->removeEventFilter(this);
}

void TOknoCzytelni::Attach(TOknoLicznika& counter, TOknoZmianyHasla& passwordWindow,
                           TOknoLogowania& login, TOknoParametrow& parameters, TForm2& preview)
{
    m_counter = &counter;
    m_login = &login;
    m_parameters = &parameters;
    m_preview = &preview;
    m_dialogs = std::make_unique<WindowDialogs>(passwordWindow);
}

void TOknoCzytelni::CreateMenu()
{
    QMenu* logging = menuBar()->addMenu(QStringLiteral("Logowanie"));
    m_logout = logging->addAction(QStringLiteral("Wyloguj"), this, &TOknoCzytelni::Logout);
    m_changePassword = logging->addAction(QStringLiteral("Zmień hasło"), this,
                                          &TOknoCzytelni::ChangePasswordClicked);
    m_reportMenu = menuBar()->addMenu(QStringLiteral("Zestawienie"));
    m_reportMenu->setObjectName(QStringLiteral("Zestawienie"));
    m_openSaved = new QAction(QStringLiteral("Otwórz zapisane zestawienie…"), this);
    m_openSaved->setObjectName(QStringLiteral("OtworzZapisane"));
    connect(m_openSaved, &QAction::triggered, this, &TOknoCzytelni::OpenSavedReport);
    m_reportMenu->addAction(m_openSaved);
    QMenu* options = menuBar()->addMenu(QStringLiteral("Opcje"));
    m_onTop =
        options->addAction(QStringLiteral("Zawsze na wierzchu"), this, &TOknoCzytelni::ToggleOnTop);
    m_onTop->setCheckable(true);
    m_onTop->setChecked(true);
    QMenu* sizes = options->addMenu(QStringLiteral("Wielkość przycisku"));
    const struct
    {
        const char* caption;
        int height;
        int width;
    } choices[] = {{"100%", 30, 100}, {"120%", 36, 120}, {"150%", 45, 150}};
    for (int i = 0; i < 3; ++i) {
        const auto& choice = choices[i];
        m_sizes[i] = sizes->addAction(QString::fromLatin1(choice.caption), this, [this, choice] {
            SetButtonSize(choice.height, choice.width);
        });
    }
}

void TOknoCzytelni::CreateControls()
{
    auto* central = new QWidget(this);
    setCentralWidget(central);
    m_panel = new QWidget(central);
    m_panel->setObjectName(QStringLiteral("Panel1"));
    QFont panelFont = m_panel->font();
    panelFont.setBold(true);
    panelFont.setPixelSize(12);
    m_panel->setFont(panelFont);

    m_kodBox = new QGroupBox(QStringLiteral("Kod kreskowy"), central);
    m_kodBox->setObjectName(QStringLiteral("KodBox"));
    m_edit = new QLineEdit(m_kodBox);
    m_edit->setObjectName(QStringLiteral("Edit1"));
    // Only the program writes the code; the operator types into the window.
    m_edit->setEnabled(false);
    QFont codeFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    codeFont.setBold(true);
    codeFont.setPixelSize(16);
    m_edit->setFont(codeFont);
    // Disabled only against typing: the code stays as readable as any text.
    QPalette palette = m_edit->palette();
    palette.setColor(QPalette::Disabled, QPalette::Text,
                     palette.color(QPalette::Active, QPalette::Text));
    palette.setColor(QPalette::Disabled, QPalette::Base,
                     palette.color(QPalette::Active, QPalette::Base));
    m_edit->setPalette(palette);
    m_kodBox->hide();
    // Until the layout is built the panel is one button large.
    m_panel->setFixedSize(m_settings.buttonWidth, m_settings.buttonHeight);
    central->setFixedSize(m_panel->size());
    // The window always takes the size of what it shows.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void TOknoCzytelni::Painted(const QWidget* widget)
{
    if (m_firstPaint) {
        // Logging in shows windows of its own; it waits until this paint
        // is over.
        m_firstPaint = false;
        QTimer::singleShot(0, this, &TOknoCzytelni::FirstPaint);
    } else if (m_layoutBuilt && !m_layoutPainted && widget == m_panel) {
        m_layoutPainted = true;
        QTimer::singleShot(0, this, &TOknoCzytelni::FirstLayoutPainted);
    }
}

void TOknoCzytelni::FirstPaint()
{
    bool loggedIn = false;
    AutoLogin values;
    QString error;
    switch (ReadAutoLogin(AutoLoginFilePath(), values, error)) {
    case AutoLoginRead::Read:
        loggedIn = m_login->ConnectAndLogin(values.ip, values.port, values.user, kService,
                                            TTextHandler::Of<&TOknoCzytelni::ConnectionLost>(this),
                                            TTextHandler::Of<&TOknoCzytelni::Message>(this),
                                            QString(), values.password);
        break;
    case AutoLoginRead::Broken:
        ShowError(error);
        break;
    case AutoLoginRead::Absent:
        hide();
        loggedIn = m_login->ShowLoginWindow(kService);
        show();
        break;
    }
    if (!loggedIn) {
        Terminate();
        return;
    }
    RebuildAfterLogin();
    ApplyOnTop(m_onTop->isChecked());
}

void TOknoCzytelni::RebuildAfterLogin()
{
    const Twypozyczalnia* session = CurrentSession();
    setWindowTitle(CaptionWithBranch(
        windowTitle(), BranchLabel(ServerParameter(QStringLiteral("placówka")),
                                   session == nullptr ? 0 : session->AgendaNumber())));
    RebuildLayout();
}

void TOknoCzytelni::RebuildLayout()
{
    const Twypozyczalnia* session = CurrentSession();
    ClearLayout();
    BuildLayout(ServerParameter(kService),
                session == nullptr ? QString() : session->StructureText());
}

void TOknoCzytelni::BuildLayout(const QString& name, const QString& structure)
{
    setWindowTitle(LayoutCaption(name, windowTitle(), QDate::currentDate()));
    const ReadingRoomLayout layout =
        LayOutReadingRoom(structure, ButtonSize{m_settings.buttonHeight, m_settings.buttonWidth});
    m_panel->hide();
    std::vector<QWidget*> created;
    created.reserve(layout.placement.elements.size());
    for (const PlacedElement& element : layout.placement.elements) {
        QWidget* container =
            element.parent < 0 ? m_panel : created[static_cast<std::size_t>(element.parent)];
        QWidget* control = nullptr;
        if (element.kind == PlacedElement::Kind::Button)
            control = new myButton(element.name, element.type, element.barcode, container);
        else
            control = new QGroupBox(element.name, container);
        control->setGeometry(element.x, element.y, element.width, element.height);
        created.push_back(control);
    }
    for (const int index : layout.placement.controlOrder)
        m_controls.emplace_back(created[static_cast<std::size_t>(index)]);
    // Counts are read once every control is in place, in creation order: a
    // count that cannot be read shows 0.
    for (QWidget* control : created) {
        if (auto* button = qobject_cast<myButton*>(control)) {
            qint32 count = 0;
            if (Twypozyczalnia* session = CurrentSession()) {
                if (const QString error = session->ReadCount(button->Type(), count);
                    !error.isEmpty()) {
                    ShowError(error);
                    count = 0;
                }
            }
            button->SetCount(count);
            connect(button, &QPushButton::clicked, this,
                    [this, button] { ButtonClick(*button, 1); });
            connect(button, &myButton::RightPressed, this, &TOknoCzytelni::ButtonRightPressed);
        }
    }
    m_panel->setFixedSize(layout.panelWidth, layout.panelHeight);
    m_panel->show();
    RebuildReportMenu();
    m_kodBox->setGeometry(0, layout.panelHeight, layout.panelWidth, kKodBoxHeight);
    m_edit->setGeometry(8, 22, layout.panelWidth - 16, kKodBoxHeight - 30);
    FitToContent();
    m_layoutBuilt = true;
    update();
}

void TOknoCzytelni::ClearLayout()
{
    for (QPointer<QWidget>& control : m_controls)
        delete control.data();
    m_controls.clear();
}

std::vector<myButton*> TOknoCzytelni::Buttons() const
{
    std::vector<myButton*> buttons;
    for (const QPointer<QWidget>& control : m_controls) {
        if (auto* button = qobject_cast<myButton*>(control.data()))
            buttons.push_back(button);
    }
    return buttons;
}

void TOknoCzytelni::RebuildReportMenu()
{
    for (QAction* action : m_reportMenu->actions()) {
        if (QMenu* group = action->menu())
            group->deleteLater();
    }
    m_reportMenu->clear();
    // A saved report needs no server: it opens before and after a login.
    m_reportMenu->addAction(m_openSaved);
    m_reportMenu->addSeparator();
    const Twypozyczalnia* session = CurrentSession();
    if (session == nullptr)
        return;
    for (const nura_report& report : session->Description().reports) {
        if (report.kind != QLatin1String("TABELA") || report.noForm)
            continue;
        QMenu* parent = m_reportMenu;
        if (!report.group.isEmpty()) {
            parent = nullptr;
            for (QAction* action : m_reportMenu->actions()) {
                if (action->menu() != nullptr && action->text() == report.group) {
                    parent = action->menu();
                    break;
                }
            }
            if (parent == nullptr)
                parent = m_reportMenu->addMenu(report.group);
        }
        auto* item = new ZestawItem(report, parent);
        connect(item, &QAction::triggered, this, [this, item] { RunReport(item->Report()); });
        parent->addAction(item);
    }
}

// The report's form is filled in, the server computes the report into the
// working folder and the preview shows it. A failed request has already
// been reported by the client's error handler.
void TOknoCzytelni::RunReport(const nura_report& report)
{
    Twypozyczalnia* session = CurrentSession();
    if (session == nullptr || m_parameters == nullptr || m_preview == nullptr)
        return;
    const QString formFile = m_settings.workingFolder + QStringLiteral("PARAMS.TMP");
    if (const QString error = WriteReportFormFile(formFile, report.form); !error.isEmpty()) {
        ShowError(error);
        return;
    }
    const QString values = m_parameters->run(QStringLiteral("Parametry zestawienia"), formFile,
                                             QStringLiteral("Wykonaj"), m_settings.lastValues);
    if (values.isEmpty())
        return;
    m_settings.lastValues = values;
    const QString resultFile = m_settings.workingFolder + QStringLiteral("report.tmp");
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool computed = session->Client().ReportProcedure(report.identifier, values, resultFile);
    QGuiApplication::restoreOverrideCursor();
    if (computed)
        m_preview->show_report(report.name, resultFile, ServerParameter(QStringLiteral("stopka")));
}

void TOknoCzytelni::OpenSavedReport()
{
    if (m_preview != nullptr)
        m_preview->OpenSavedReport(ServerParameter(QStringLiteral("stopka")));
}

void TOknoCzytelni::ButtonClick(myButton& button, qint32 count)
{
    Twypozyczalnia* session = CurrentSession();
    if (session == nullptr)
        return;
    const QPointer<myButton> guard(&button);
    if (const QString error = session->Register(button.Type(), count); !error.isEmpty()) {
        ShowError(error);
        return;
    }
    qint32 current = button.Count();
    const QString error = session->ReadCount(button.Type(), current);
    if (!error.isEmpty())
        ShowError(error);
    if (guard)
        button.SetCount(current);
}

void TOknoCzytelni::ButtonRightPressed(myButton* button)
{
    const int count = m_counter->Ask(button->mapToGlobal(QPoint(0, 0)));
    if (count != 0)
        ButtonClick(*button, count);
}

bool TOknoCzytelni::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::Paint)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != this)
        return false;
    // The window's own area may be all menu bar and panel: its first paint
    // is that of any of its parts.
    if (event->type() == QEvent::Paint) {
        Painted(widget);
        return false;
    }
    // A key travels from the focused control up to the window; it is seen
    // once, where it starts.
    QWidget* focus = QApplication::focusWidget();
    if (widget != (focus != nullptr && focus->window() == this ? focus : this))
        return false;
    const auto* keyEvent = static_cast<QKeyEvent*>(event);
    KeyPress key;
    key.virtualKey = VirtualKeyOf(keyEvent->key(), keyEvent->modifiers() & Qt::KeypadModifier);
    key.shift = keyEvent->modifiers() & Qt::ShiftModifier;
    key.ctrl = keyEvent->modifiers() & Qt::ControlModifier;
    const BarcodeAction action = HandleBarcodeKey(
        m_barcode, key, LetterCodesAllowed(ServerParameter(QStringLiteral("CFG_BAR_KC"))));
    if (action == BarcodeAction::None)
        return false;
    ShowBarcodeState();
    if (action == BarcodeAction::Finish)
        FinishBarcode(FinishedCode(m_barcode.text));
    return true;
}

void TOknoCzytelni::ShowBarcodeState()
{
    m_edit->setText(m_barcode.text);
    m_kodBox->setVisible(m_barcode.shown);
    SetButtonsEnabled(!m_barcode.shown);
    FitToContent();
}

void TOknoCzytelni::FinishBarcode(const QString& code)
{
    if (code.isEmpty())
        return;
    // Every button with the code counts, in the order of the list; a count
    // may ask questions, so the list is taken before the first one.
    std::vector<QPointer<myButton>> matching;
    for (myButton* button : Buttons()) {
        if (button->Barcode() == code)
            matching.emplace_back(button);
    }
    if (matching.empty()) {
        ShowError(QStringLiteral("Nieznany kod kreskowy"));
        return;
    }
    for (const QPointer<myButton>& button : matching) {
        if (button)
            ButtonClick(*button, 1);
    }
}

void TOknoCzytelni::SetButtonsEnabled(bool enabled)
{
    for (myButton* button : Buttons())
        button->setEnabled(enabled);
}

void TOknoCzytelni::FitToContent()
{
    QWidget* central = centralWidget();
    int width = m_panel->width();
    int height = m_panel->height();
    if (m_kodBox->isVisibleTo(central)) {
        width = std::max(width, m_kodBox->geometry().right() + 1);
        height = std::max(height, m_kodBox->geometry().bottom() + 1);
    }
    central->setFixedSize(width, height);
    // At once rather than at the next pass of the event loop: the box
    // appears with the digit that opened it.
    layout()->activate();
}

void TOknoCzytelni::Logout()
{
    m_login->ClearPassword();
    EndCurrentSession();
    if (!m_login->ShowLoginWindow(kService)) {
        Terminate();
        return;
    }
    RebuildAfterLogin();
}

void TOknoCzytelni::ChangePasswordClicked()
{
    Twypozyczalnia* session = CurrentSession();
    if (session == nullptr)
        return;
    m_dialogs->SetPasswordWindowPosition(QCursor::pos());
    ::ChangePassword(session->Client(), false, *m_dialogs);
}

void TOknoCzytelni::ToggleOnTop()
{
    // The action has already turned its check mark over.
    ApplyOnTop(m_onTop->isChecked());
}

void TOknoCzytelni::ApplyOnTop(bool onTop)
{
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    // Changing a window's flags hides it.
    if (visible)
        show();
}

void TOknoCzytelni::SetButtonSize(int height, int width)
{
    m_settings.buttonHeight = height;
    m_settings.buttonWidth = width;
    RebuildLayout();
}

void TOknoCzytelni::ConnectionLost(const QString& text)
{
    AskAndReconnect(text, *m_dialogs);
}

void TOknoCzytelni::Message(const QString& text)
{
    ShowPlainMessage(text);
}

void TOknoCzytelni::Terminate()
{
    m_terminated = true;
    hide();
    Q_EMIT ProgramEnded();
}

void TOknoCzytelni::closeEvent(QCloseEvent* event)
{
    m_settings.top = pos().y();
    m_settings.left = pos().x();
    m_settings.onTop = m_onTop->isChecked();
    // The program ends with its main window: the preview goes too.
    if (m_preview != nullptr) {
        m_previewSettings = m_preview->Settings();
        m_preview->close();
        m_preview->hide();
    }
    IniFile file(m_configFile);
    // Closing is never refused; a librarian whose settings could not be kept
    // is told so.
    const QString error = FirstWriteError({WriteReadingRoomSettings(file, m_settings),
                                           WritePreviewWindowSettings(file, m_previewSettings)});
    if (!error.isEmpty())
        ShowPlainMessage(error);
    EndCurrentSession();
    TTimer::Shutdown();
    event->accept();
}
