#pragma once

#include "forms/form_event_hook.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QFrame;
class QGroupBox;
class QPushButton;
class OperatorMessages;
class ParameterRun;
class my_editor;

// The report parameter window, where the librarian fills in a report's form
// before the server computes it. Created once at start; the form itself is
// built for each run and nothing of it stays afterwards.
class TOknoParametrow : public QDialog
{
    Q_OBJECT
public:
    explicit TOknoParametrow(QWidget* parent = nullptr);
    ~TOknoParametrow() override;

    // Compiles the form in `descriptionFile`, loads `initialValues` (the
    // parameter text of the last run) and shows the form until it is
    // confirmed without errors: the parameter text then, at least "||".
    // Empty when the file cannot be read or the window is closed.
    QString run(const QString& caption, const QString& descriptionFile,
                const QString& buttonCaption, const QString& initialValues);

    // The first half of run(): the form compiled, its values loaded and its
    // editors built, the window sized for it but not shown. False when the
    // file cannot be read. `answers`, when given, is asked first about every
    // event of the form (a tool shows TEXT and PANEL content that way).
    // Close() ends what Open() began.
    bool Open(const QString& caption, const QString& descriptionFile, const QString& buttonCaption,
              const QString& initialValues, OperatorMessages& messages,
              const FormEventHook& answers = FormEventHook());
    void Close();

    QWidget* FormPanel() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void Button1Click();

    QFrame* m_panelFormularza;
    QWidget* m_panel1;
    QPushButton* m_button1;
    QGroupBox* m_groupBox1;
    QComboBox* m_comboBox1;
    std::unique_ptr<ParameterRun> m_run;
    // After the run: the editors point into its form and record.
    std::unique_ptr<my_editor> m_root;
};
