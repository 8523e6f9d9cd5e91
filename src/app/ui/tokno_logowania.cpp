#include "app/ui/tokno_logowania.h"

#include "app/ui/katalog_item.h"
#include "app/ui/message_windows.h"
#include "app/ui/modal_runner.h"
#include "app/ui/plain_message_box.h"
#include "app/ui/tform_wybor_kat.h"
#include "catalog/session_opening.h"
#include "config/ini_file.h"
#include "config/multi_ini_file.h"

#include <QCoreApplication>
#include <QCursor>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace {

// The program's file name without its extension, as the operator knows it.
QString ProgramTitle()
{
    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).baseName();
    return name.isEmpty() ? QCoreApplication::applicationName() : name;
}

// The interactive login's message handler: the server's notices are shown as
// errors, like everything else that interrupts a login.
void ShowMessageAsError(void* /*owner*/, const QString& text)
{
    ShowError(text);
}

} // namespace

TOknoLogowania::TOknoLogowania(const QString& configFile, TOknoZmianyHasla& passwordWindow,
                               QWidget* parent)
    : QDialog(parent), m_configFile(configFile), m_dialogs(passwordWindow)
{
    setObjectName(QStringLiteral("OknoLogowania"));
    setWindowTitle(ProgramTitle());
    BuildControls();

    ::CatalogMenu catalogs;
    {
        const TMultiIniFile file(m_configFile);
        catalogs = ::BuildCatalogMenu(file);
        m_settings = ReadLoginWindowSettings(file);
    }
    FillCatalogMenu(*m_menu, catalogs, {});
    LayOutControls(!m_menu->isEmpty());
    move(m_settings.left, m_settings.top);

    ChooseStartingCatalog(m_settings, catalogs, [this](const QStringList& namePaths) {
        return TFormWyborKat::Wybierz(namePaths, this);
    });
    m_user->setText(m_settings.current.user);
    if (const QString error = CatalogConfigurationError(m_settings.current); !error.isEmpty())
        ShowPlainMessage(error, QStringLiteral("Logowanie"), true);
    m_label->setText(m_settings.current.label);
}

TOknoLogowania::~TOknoLogowania()
{
    m_settings.top = y();
    m_settings.left = x();
    IniFile file(m_configFile);
    // The program is ending and there is nobody left to tell; a file that
    // cannot be written keeps the previous login's values.
    WriteLoginWindowSettings(file, m_settings);
}

void TOknoLogowania::BuildControls()
{
    m_panel = new QFrame(this);
    m_panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_label = new QLabel(m_panel);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_label->setAlignment(Qt::AlignCenter);
    QFont bold = m_label->font();
    bold.setBold(true);
    m_label->setFont(bold);
    auto* panelLayout = new QHBoxLayout(m_panel);
    panelLayout->setContentsMargins(4, 4, 4, 4);
    panelLayout->addWidget(m_label);
    // Room for a catalog name with its groups without the window jumping.
    m_panel->setMinimumWidth(240);

    m_change = new QPushButton(QStringLiteral("Zmień"), this);
    m_change->setObjectName(QStringLiteral("Zmien"));
    m_change->setAutoDefault(false);
    connect(m_change, &QPushButton::clicked, this, &TOknoLogowania::PopUpCatalogMenu);

    m_user = new QLineEdit(this);
    m_user->setObjectName(QStringLiteral("Edit1"));
    m_user->installEventFilter(this);
    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("Edit2"));
    m_password->setEchoMode(QLineEdit::Password);
    m_password->installEventFilter(this);

    m_login = new QPushButton(QStringLiteral("Zaloguj"), this);
    m_login->setObjectName(QStringLiteral("Button1"));
    m_login->setAutoDefault(false);
    connect(m_login, &QPushButton::clicked, this, &TOknoLogowania::LogIn);

    m_menu = new QMenu(this);
}

// Without catalogs to choose from there is no "Zmień", and the panel takes
// its place up to the fields' right edge.
void TOknoLogowania::LayOutControls(bool withCatalogMenu)
{
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Połącz z:"), this), 0, 0, 1, 3);
    if (withCatalogMenu) {
        grid->addWidget(m_panel, 1, 0, 1, 2);
        grid->addWidget(m_change, 1, 2);
    } else {
        m_change->hide();
        grid->addWidget(m_panel, 1, 0, 1, 3);
    }
    grid->addWidget(new QLabel(QStringLiteral("Użytkownik:"), this), 2, 0);
    grid->addWidget(m_user, 2, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Hasło:"), this), 3, 0);
    grid->addWidget(m_password, 3, 1, 1, 2);
    grid->addWidget(m_login, 4, 0, 1, 3, Qt::AlignHCenter);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    // Laid out now, so that the catalog choice can be centred on the window
    // before it is ever shown.
    grid->activate();
}

void TOknoLogowania::FillCatalogMenu(QMenu& menu, const ::CatalogMenu& nodes,
                                     const QStringList& ancestors)
{
    for (const CatalogMenuNode& node : nodes) {
        if (node.group) {
            QStringList inner = ancestors;
            inner.prepend(node.caption);
            FillCatalogMenu(*menu.addMenu(node.caption), node.children, inner);
            continue;
        }
        auto* item = new KatalogItem(node, ancestors, &menu);
        connect(item, &QAction::triggered, this, [this, item] { ChooseCatalog(*item); });
        menu.addAction(item);
    }
}

void TOknoLogowania::ChooseCatalog(const KatalogItem& item)
{
    m_settings.current = {item.Address(), item.Port(), item.NamePath(), item.User()};
    m_label->setText(m_settings.current.label);
    m_user->setText(item.User());
}

void TOknoLogowania::PopUpCatalogMenu()
{
    m_menu->exec(QCursor::pos());
    m_user->setFocus();
    m_user->selectAll();
}

QString TOknoLogowania::Identification() const
{
    return VersionIdentification(m_clientMode);
}

bool TOknoLogowania::ShowLoginWindow(const QString& service)
{
    m_service = service;
    return RunModal(*this) == QDialog::Accepted;
}

void TOknoLogowania::LogIn()
{
    SessionTarget target;
    target.address = m_settings.current.address;
    target.port = m_settings.current.port;
    target.user = m_user->text();
    target.password = m_password->text();
    target.service = m_service;
    target.identification = Identification();
    target.onError = TTextHandler::Of<&TOknoLogowania::ConnectionLost>(this);
    target.onMessage = TTextHandler{nullptr, &ShowMessageAsError};
    // A password change the server demands is asked for over this window.
    m_dialogs.SetPasswordWindowPosition(pos());
    if (!OpenSessionAndLogIn(target, LoginMode::Interactive, m_dialogs))
        return;
    m_settings.current.user = target.user;
    Remember(m_settings.current);
    m_password->clear();
    accept();
    // Ready for the next login after "Wyloguj": the same user, retyped or kept.
    m_user->setFocus();
    m_user->selectAll();
}

bool TOknoLogowania::ConnectAndLogin(const QString& address, qint32 port, const QString& user,
                                     const QString& service, TTextHandler onError,
                                     TTextHandler onMessage, const QString& label,
                                     const QString& password)
{
    const SessionTarget target{address,          port,    user,     password, service,
                               Identification(), onError, onMessage};
    if (!OpenSessionAndLogIn(target, LoginMode::Automatic, m_dialogs))
        return false;
    m_settings.current = {address, port, label, user};
    // The automatic login has no label; "Połącz z:" still names the server
    // when the window is shown after "Wyloguj".
    m_label->setText(label.isEmpty() ? AddressLabel(address, port) : label);
    m_user->setText(user);
    Remember(m_settings.current);
    return true;
}

void TOknoLogowania::ClearPassword()
{
    m_password->clear();
}

void TOknoLogowania::ConnectionLost(const QString& text)
{
    AskAndReconnect(text, m_dialogs);
}

// The password is not kept: nothing needs it once the session is open, and
// a reconnection uses the one the client holds.
void TOknoLogowania::Remember(const CurrentCatalog& catalog)
{
    m_settings.last = catalog;
}

// Enter walks from the user to the password and then logs in, so that the
// operator never needs the mouse.
bool TOknoLogowania::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == m_user) {
                m_password->setFocus();
                return true;
            }
            if (watched == m_password) {
                m_login->click();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}
