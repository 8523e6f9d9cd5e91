#pragma once

#include "app/login_window_settings.h"
#include "app/ui/window_dialogs.h"
#include "client/nura_handlers.h"

#include <QChar>
#include <QDialog>
#include <QString>
#include <QStringList>

class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class TOknoZmianyHasla;

// The login window: which catalog to connect to ("Połącz z:", with the
// catalog menu behind "Zmień"), the user and the password. It opens the
// program's session, interactively or, for the automatic login, without
// being shown. Created once at start; it writes the last login and its
// position to the configuration file when it is destroyed.
class TOknoLogowania : public QDialog
{
    Q_OBJECT
public:
    TOknoLogowania(const QString& configFile, TOknoZmianyHasla& passwordWindow,
                   QWidget* parent = nullptr);
    ~TOknoLogowania() override;

    // 'X' until the program sets its own; sent in the version identification.
    void SetClientMode(QChar mode) { m_clientMode = mode; }
    QString Identification() const;

    // Shows the window modally until a session for `service` is open (true)
    // or the operator closes it (false).
    bool ShowLoginWindow(const QString& service);
    // Opens a session without showing the window; on success the window
    // takes the values as its current and last ones.
    bool ConnectAndLogin(const QString& address, qint32 port, const QString& user,
                         const QString& service, TTextHandler onError, TTextHandler onMessage,
                         const QString& label, const QString& password);

    void ClearPassword();

    const CurrentCatalog& Current() const { return m_settings.current; }
    const CurrentCatalog& Last() const { return m_settings.last; }
    QMenu* CatalogMenu() const { return m_menu; }
    QLineEdit* UserField() const { return m_user; }
    QLineEdit* PasswordField() const { return m_password; }
    QPushButton* LoginButton() const { return m_login; }
    QPushButton* ChangeButton() const { return m_change; }
    QLabel* CatalogLabel() const { return m_label; }
    QFrame* CatalogPanel() const { return m_panel; }

private:
    void BuildControls();
    void LayOutControls(bool withCatalogMenu);
    void FillCatalogMenu(QMenu& menu, const ::CatalogMenu& nodes, const QStringList& ancestors);
    void ChooseCatalog(const class KatalogItem& item);
    void PopUpCatalogMenu();
    void LogIn(); // "Zaloguj"
    void ConnectionLost(const QString& text);
    void Remember(const CurrentCatalog& catalog);
    bool eventFilter(QObject* watched, QEvent* event) override;

    QString m_configFile;
    WindowDialogs m_dialogs;
    QChar m_clientMode = QLatin1Char('X');
    QString m_service;
    LoginWindowSettings m_settings;
    QFrame* m_panel = nullptr; // the lowered frame around m_label
    QLabel* m_label = nullptr;
    QPushButton* m_change = nullptr;
    QLineEdit* m_user = nullptr;
    QLineEdit* m_password = nullptr;
    QPushButton* m_login = nullptr;
    QMenu* m_menu = nullptr;
};
