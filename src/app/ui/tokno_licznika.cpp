#include "app/ui/tokno_licznika.h"

#include "app/ui/modal_runner.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {

constexpr int kLowest = -1000;
constexpr int kHighest = 1000;

} // namespace

TOknoLicznika::TOknoLicznika(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("OknoLicznika"));
    setWindowTitle(QStringLiteral("Dodaj"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    m_spin = new QSpinBox(this);
    m_spin->setObjectName(QStringLiteral("SpinEdit1"));
    m_spin->setRange(kLowest, kHighest);
    m_spin->setValue(1);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setDefault(true);
    // Enter in the spin field presses "OK", not a focused button.
    ok->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_spin);
    layout->addWidget(ok);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

int TOknoLicznika::Ask(QPoint topLeft)
{
    move(topLeft);
    m_spin->setFocus();
    m_spin->selectAll();
    if (RunModal(*this) != QDialog::Accepted)
        return 0;
    // A value typed but not yet taken over by the field counts as entered.
    m_spin->interpretText();
    return m_spin->value();
}
