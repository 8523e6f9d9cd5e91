#include "app/ui/tokno_zmiany_hasla.h"

#include "app/ui/modal_runner.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

constexpr int kFieldWidth = 200;

} // namespace

TOknoZmianyHasla::TOknoZmianyHasla(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("OknoZmianyHasla"));
    setWindowTitle(QStringLiteral("Zmiana hasła"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_field = new QLineEdit(this);
    m_field->setObjectName(QStringLiteral("Edit1"));
    m_field->setEchoMode(QLineEdit::Password);
    m_field->setMinimumWidth(kFieldWidth);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(m_field);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool TOknoZmianyHasla::Ask(const QString& label, bool forced, QPoint topLeft, QString& password)
{
    m_field->clear();
    m_label->setText(label);
    if (forced) {
        // The size is needed to centre the window before it is shown.
        ensurePolished();
        layout()->activate();
        adjustSize();
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (screen != nullptr)
            move(screen->availableGeometry().center() - rect().center());
    } else {
        move(topLeft);
    }
    m_field->setFocus();
    const bool confirmed = RunModal(*this) == QDialog::Accepted;
    if (confirmed)
        password = m_field->text();
    // The password does not stay behind in the hidden window.
    m_field->clear();
    return confirmed;
}
