#include "forms/ui/ed_menu.h"

#include "forms/form_descriptions.h"
#include "forms/form_substitutions.h"
#include "forms/ui/ed_item.h"
#include "forms/ui/editor_geometry.h"
#include "forms/ui/field_editor.h"

#include <QMouseEvent>
#include <QPixmap>

ed_menu::ed_menu(my_editor& parent, const my_menu& description, int dx, int dy,
                 const QString& substitutions)
    : my_editor(parent.Container(), parent.HookOf(), parent.RecordOf())
{
    // Set up through a plain pointer: the guarded one is for later, when
    // the container may have taken the label with it.
    auto* label = new QLabel(Container());
    m_label = label;
    const QRect geometry = TallGeometry(description, dx, dy);
    if (!description.caption.isEmpty()) {
        QFont font = FieldEditor::EditorFont(*Container(), true);
        font.setUnderline(true);
        label->setFont(font);
        label->setTextFormat(Qt::PlainText);
        label->setText(description.caption);
        label->setCursor(Qt::PointingHandCursor);
        label->move(geometry.topLeft());
        label->adjustSize();
        label->resize(label->width(), geometry.height());
        m_opensOnPress = true;
    } else {
        QPixmap picture;
        if (picture.loadFromData(description.picture.bytes))
            label->setPixmap(picture);
        label->setGeometry(geometry);
    }
    // The menu belongs to the label, so it goes with it.
    m_menu = new QMenu(label);
    AddItems(*m_menu, ParseMenuText(description.menuText), substitutions);
    label->installEventFilter(this);
    label->show();
}

ed_menu::~ed_menu()
{
    if (QLabel* label = m_label.data()) {
        label->removeEventFilter(this);
        delete label;
    }
}

void ed_menu::AddItems(QMenu& menu, const std::vector<FormMenuItem>& items,
                       const QString& substitutions)
{
    for (const FormMenuItem& item : items) {
        if (item.name.isEmpty()) {
            AddItems(*menu.addMenu(item.caption), item.items, substitutions);
        } else {
            menu.addAction(new ed_item(*this, ApplySubstitutions(item.name, substitutions),
                                       item.caption, &menu));
        }
    }
}

QList<QWidget*> ed_menu::controls() const
{
    QList<QWidget*> all = my_editor::controls();
    if (m_label)
        all.prepend(m_label);
    return all;
}

void ed_menu::Choose(const QString& name)
{
    Raise(FormEvent::Action, name);
}

// Taking the focus to the container first commits the field being edited,
// so the action sees its value.
bool ed_menu::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type opening =
        m_opensOnPress ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease;
    if (watched == m_label.data() && event->type() == opening) {
        const auto* label = static_cast<QLabel*>(watched);
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (!label->rect().contains(mouse->position().toPoint()))
            return false;
        Container()->setFocus();
        m_menu->popup(mouse->globalPosition().toPoint());
        return true;
    }
    return my_editor::eventFilter(watched, event);
}
