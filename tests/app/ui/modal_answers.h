#pragma once

#include "app/ui/modal_runner.h"
#include "app/ui/tokno_komunikatu.h"
#include "app/ui/tokno_zmiany_hasla.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QStringList>

// Answers for the program's modal windows, prepared by a test before the
// window appears, and a record of what each window said.

// "caption: text" of a message window or a plain message box; the caption
// alone for any other window.
inline QString WindowText(QDialog& dialog)
{
    if (auto* message = qobject_cast<TOknoKomunikatu*>(&dialog))
        return message->windowTitle() + QStringLiteral(": ") + message->Text();
    if (auto* box = qobject_cast<QMessageBox*>(&dialog))
        return box->windowTitle() + QStringLiteral(": ") + box->text();
    return dialog.windowTitle();
}

// The next modal window closes with `result`; its text goes to `seen`.
inline void Answer(int result, QStringList* seen = nullptr)
{
    PrepareModalAnswer([result, seen](QDialog& dialog) {
        if (seen != nullptr)
            *seen << WindowText(dialog);
        return result;
    });
}

// The next change-password window is confirmed with `password`.
inline void AnswerPassword(const QString& password, QStringList* seen = nullptr)
{
    PrepareModalAnswer([password, seen](QDialog& dialog) {
        auto* window = qobject_cast<TOknoZmianyHasla*>(&dialog);
        if (window == nullptr)
            return static_cast<int>(QDialog::Rejected);
        if (seen != nullptr)
            *seen << WindowText(dialog);
        window->PasswordField()->setText(password);
        return static_cast<int>(QDialog::Accepted);
    });
}

// Inside an answer: shows the window for real, so that focus and keys behave
// as they do for a person. RunModal hides it again.
inline void ShowAnsweredWindow(QDialog& dialog)
{
    dialog.show();
    dialog.activateWindow();
    QApplication::processEvents();
}
