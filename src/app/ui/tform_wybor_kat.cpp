#include "app/ui/tform_wybor_kat.h"

#include "app/ui/modal_runner.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFormWyborKat::TFormWyborKat(const QStringList& namePaths, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormWyborKat"));
    setWindowTitle(QStringLiteral("Wybór katalogu"));

    auto* text = new QLabel(QStringLiteral("Wykryto zmianę adresu IP katalogu. Wybierz do którego "
                                           "katalogu chcesz się podłączyć."),
                            this);
    text->setWordWrap(true);

    m_list = new QComboBox(this);
    m_list->setObjectName(QStringLiteral("ComboBox1"));
    m_list->addItems(namePaths);
    // Nothing is preselected: the operator picks the catalog knowingly, and
    // "Połącz" without a choice changes nothing.
    m_list->setCurrentIndex(-1);

    auto* connectButton = new QPushButton(QStringLiteral("Połącz"), this);
    connectButton->setObjectName(QStringLiteral("Polacz"));
    connectButton->setDefault(true);
    connect(connectButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(connectButton);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(m_list);
    layout->addLayout(buttons);

    // Long catalog names may need a wider window; more height never helps,
    // and a narrower one would cut the wrapped text off.
    const int width = qMax(sizeHint().width(), 360);
    const int height = hasHeightForWidth() ? heightForWidth(width) : sizeHint().height();
    resize(width, height);
    setMinimumWidth(width);
    setFixedHeight(height);
    if (parent != nullptr)
        move(parent->frameGeometry().center() - QPoint(width / 2, height / 2));
}

int TFormWyborKat::Wybierz(const QStringList& namePaths, QWidget* parent)
{
    TFormWyborKat window(namePaths, parent);
    if (RunModal(window) != QDialog::Accepted)
        return -1;
    return window.List()->currentIndex();
}
