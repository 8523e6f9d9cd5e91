#include "app/ui/plain_message_box.h"

#include "app/ui/modal_runner.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

void ShowPlainMessage(const QString& text, const QString& caption, bool errorIcon)
{
    const QString title = caption.isEmpty() ? QGuiApplication::applicationDisplayName() : caption;
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        std::fprintf(stderr, "%s %s\n", qUtf8Printable(title), qUtf8Printable(text));
        return;
    }
    QMessageBox box(errorIcon ? QMessageBox::Critical : QMessageBox::NoIcon, title, text,
                    QMessageBox::Ok);
    box.setObjectName(QStringLiteral("PlainMessage"));
    // The server's texts are shown as they came, even when they look like
    // markup.
    box.setTextFormat(Qt::PlainText);
    RunModal(box);
}
