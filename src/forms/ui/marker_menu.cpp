#include "forms/ui/marker_menu.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QToolButton>
#include <QWidgetAction>

namespace {

// The character after the first single "&" of a caption; "&&" is a
// literal ampersand.
QChar Accelerator(const QString& caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] != u'&')
            return caption[i + 1];
        ++i;
    }
    return QChar();
}

} // namespace

MarkerMenu::MarkerMenu(QWidget* parent)
    : QMenu(parent), m_grid(new QWidget(this)), m_layout(new QGridLayout(m_grid))
{
    setObjectName(QStringLiteral("MarkerMenu"));
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    auto* action = new QWidgetAction(this);
    action->setDefaultWidget(m_grid);
    addAction(action);
}

void MarkerMenu::SetItems(const QStringList& captions, int rows,
                          const TSPopupMenuItem::Callback& onClick)
{
    for (QToolButton* button : m_buttons)
        delete button;
    for (TSPopupMenuItem* item : m_items)
        delete item;
    m_buttons.clear();
    m_items.clear();
    m_rows = std::max(rows, 1);
    for (int i = 0; i < captions.size(); ++i) {
        auto* item = new TSPopupMenuItem(i, captions[i], onClick, this);
        auto* button = new QToolButton(m_grid);
        button->setText(captions[i]);
        button->setAutoRaise(true);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        const size_t index = m_items.size();
        connect(button, &QToolButton::clicked, this, [this, index] { Choose(index); });
        m_layout->addWidget(button, i % m_rows, i / m_rows);
        m_items.push_back(item);
        m_buttons.push_back(button);
    }
    m_grid->adjustSize();
    adjustSize();
}

QPoint MarkerMenu::Cell(int index) const
{
    int row = 0;
    int column = 0;
    int rowSpan = 0;
    int columnSpan = 0;
    m_layout->getItemPosition(m_layout->indexOf(m_buttons.at(static_cast<size_t>(index))), &row,
                              &column, &rowSpan, &columnSpan);
    return QPoint(column, row);
}

void MarkerMenu::Choose(size_t index)
{
    // The menu goes first: the choice changes the memo, which should then
    // have the focus back.
    close();
    m_items.at(index)->trigger();
}

void MarkerMenu::MoveFocus(int step)
{
    const int count = static_cast<int>(m_buttons.size());
    if (count == 0)
        return;
    int current = -1;
    for (int i = 0; i < count; ++i)
        if (m_buttons[static_cast<size_t>(i)]->hasFocus())
            current = i;
    const int next = current < 0 ? 0 : ((current + step) % count + count) % count;
    m_buttons[static_cast<size_t>(next)]->setFocus();
}

void MarkerMenu::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Down:
        return MoveFocus(1);
    case Qt::Key_Up:
        return MoveFocus(-1);
    case Qt::Key_Right:
        return MoveFocus(m_rows);
    case Qt::Key_Left:
        return MoveFocus(-m_rows);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        for (size_t i = 0; i < m_buttons.size(); ++i)
            if (m_buttons[i]->hasFocus())
                return Choose(i);
        break;
    default:
        break;
    }
    const QString text = event->text();
    if (!text.isEmpty()) {
        const QChar typed = text.front().toCaseFolded();
        for (size_t i = 0; i < m_items.size(); ++i)
            if (Accelerator(m_items[i]->text()).toCaseFolded() == typed)
                return Choose(i);
    }
    QMenu::keyPressEvent(event);
}
