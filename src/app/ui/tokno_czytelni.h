#pragma once

#include "app/barcode_keys.h"
#include "app/layout_placement.h"
#include "app/reading_room_settings.h"
#include "app/ui/window_dialogs.h"
#include "reports/preview_window_settings.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

#include <vector>

class QAction;
class QGroupBox;
class QLineEdit;
class QMenu;
class TForm2;
class TOknoLicznika;
class TOknoLogowania;
class TOknoParametrow;
class TOknoZmianyHasla;
class myButton;
struct nura_report;

// The reading-room window, the program's main window. It logs in on its
// first paint, shows a button per visit category with today's counts,
// counts visits by click, by right click with a number and by a scanned
// reader's card, and offers the catalog's reports, logging out and in, the
// password change, the button size and staying on top. Its settings are
// read when it is created and written back when it closes.
class TOknoCzytelni : public QMainWindow
{
    Q_OBJECT
public:
    // Reads the configuration file.
    TOknoCzytelni(const QString& configFile, const QString& programFolder);
    ~TOknoCzytelni() override;

    // The other windows it uses, created after it.
    void Attach(TOknoLicznika& counter, TOknoZmianyHasla& passwordWindow, TOknoLogowania& login,
                TOknoParametrow& parameters, TForm2& preview);

    // Sets the caption, builds the buttons from the server's structure text
    // and rebuilds the report menu.
    void BuildLayout(const QString& name, const QString& structure);
    void ClearLayout();
    void RebuildReportMenu();

    // What tests and the start-up look at.
    const ReadingRoomSettings& Settings() const { return m_settings; }
    // The preview window's settings as read at creation.
    const PreviewWindowSettings& PreviewSettings() const { return m_previewSettings; }
    std::vector<myButton*> Buttons() const;
    QWidget* Panel() const { return m_panel; }
    QGroupBox* KodBox() const { return m_kodBox; }
    QLineEdit* BarcodeField() const { return m_edit; }
    QMenu* ReportMenu() const { return m_reportMenu; }
    // "Otwórz zapisane zestawienie…", at the top of the report menu.
    QAction* OpenSavedAction() const { return m_openSaved; }
    QAction* LogoutAction() const { return m_logout; }
    QAction* ChangePasswordAction() const { return m_changePassword; }
    QAction* OnTopAction() const { return m_onTop; }
    // The "Wielkość przycisku" items: 100%, 120% and 150%.
    QAction* SizeAction(int index) const { return m_sizes[index]; }
    // True once the first paint has logged in and built the layout.
    bool LayoutBuilt() const { return m_layoutBuilt; }
    // True once a login that failed or was given up has ended the program.
    bool Terminated() const { return m_terminated; }

Q_SIGNALS:
    // The layout has been built and painted for the first time.
    void FirstLayoutPainted();
    // A login failed or was given up: the program ends.
    void ProgramEnded();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateMenu();
    void CreateControls();
    void Painted(const QWidget* widget);
    void FirstPaint();
    bool AutomaticLogin(bool& attempted);
    void ShowWithBranchLabel();
    void RebuildAfterLogin();
    // The layout again from the current session, with today's counts.
    void RebuildLayout();
    void AddButton(const PlacedElement& element, QWidget* container);
    void ButtonClick(myButton& button, qint32 count);
    void ButtonRightPressed(myButton* button);
    void RunReport(const nura_report& report);
    void OpenSavedReport();
    void HandleKey(const KeyPress& key);
    void ShowBarcodeState();
    void FinishBarcode(const QString& code);
    void SetButtonsEnabled(bool enabled);
    void FitToContent();
    void Logout();
    void ChangePasswordClicked();
    void ToggleOnTop();
    void SetButtonSize(int height, int width);
    void ApplyOnTop(bool onTop);
    void ConnectionLost(const QString& text);
    void Message(const QString& text);
    void Terminate();

    QString m_configFile;
    ReadingRoomSettings m_settings;
    PreviewWindowSettings m_previewSettings;
    bool m_firstPaint = true;
    bool m_layoutBuilt = false;
    bool m_layoutPainted = false;
    bool m_terminated = false;
    std::vector<QPointer<QWidget>> m_controls; // buttons and group boxes, in list order
    BarcodeKeyState m_barcode;

    TOknoLicznika* m_counter = nullptr;
    TOknoLogowania* m_login = nullptr;
    TOknoParametrow* m_parameters = nullptr;
    TForm2* m_preview = nullptr;
    std::unique_ptr<WindowDialogs> m_dialogs;

    QWidget* m_panel = nullptr;
    QGroupBox* m_kodBox = nullptr;
    QLineEdit* m_edit = nullptr;
    QMenu* m_reportMenu = nullptr;
    QAction* m_openSaved = nullptr;
    QAction* m_logout = nullptr;
    QAction* m_changePassword = nullptr;
    QAction* m_onTop = nullptr;
    QAction* m_sizes[3] = {};
};
