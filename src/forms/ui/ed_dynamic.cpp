#include "forms/ui/ed_dynamic.h"

#include "forms/form_descriptions.h"
#include "forms/form_expression.h"
#include "forms/form_picture.h"
#include "forms/form_record.h"
#include "forms/form_substitutions.h"
#include "forms/ui/editor_builder.h"
#include "forms/ui/editor_geometry.h"

#include <QApplication>
#include <QScrollBar>
#include <QTimer>

namespace {

constexpr int kDeleteButtonSize = 20;
constexpr int kLowestDeletable = 22;
constexpr int kDeleteButtonInset = 40;
constexpr int kWheelStep = 20;

} // namespace

ed_dynamic::ed_dynamic(my_editor& parent, const my_dynamic& description, int dx, int dy,
                       const QString& substitutions)
    : my_editor(parent.Container(), parent.HookOf(), parent.RecordOf()), m_description(description),
      m_substitutions(substitutions),
      m_fieldName(ApplySubstitutions(description.fieldName, substitutions))
{
    auto* area = new QScrollArea(Container());
    m_area = area;
    area->setGeometry(
        QRect(EditorPosition(description, dx, dy),
              QSize(EvaluateTree(description.width), EvaluateTree(description.height))));
    // Read once for all the instances' delete buttons.
    m_deletePicture.loadFromData(LoadFormPicture(QStringLiteral("usun.bmp")).bytes);
    m_content = new QWidget;
    m_content->resize(EvaluateTree(description.width), 0);
    area->setWidget(m_content);
    area->show();
    ShowInstances();
}

ed_dynamic::~ed_dynamic()
{
    DestroyChildren();
    delete m_area.data();
}

// The form refreshes the field from within its answer to an event, often
// one raised by a control of an instance about to go; the instances are
// built once that answer has returned. A zero-time timer on this thread
// does it: refreshes run in the order they were asked, and there is no
// second thread to wait for.
void ed_dynamic::refresh(const QString& name)
{
    if (name != m_fieldName) {
        my_editor::refresh(name);
        return;
    }
    if (QScrollArea* area = m_area.data())
        area->setFocus();
    QTimer::singleShot(0, this, [this] { ShowInstances(); });
}

void ed_dynamic::ShowInstances()
{
    QScrollArea* area = m_area.data();
    if (area == nullptr)
        return;
    const std::vector<DynamicInstance> wanted =
        ParseDynamicInstances(RecordOf().Value(m_fieldName));
    const size_t kept = KeptInstances(
        [this] {
            std::vector<DynamicInstance> shown;
            for (const Shown& entry : m_shown)
                shown.push_back(entry.instance);
            return shown;
        }(),
        wanted);
    size_t keptEditors = 0;
    for (size_t i = 0; i < kept; ++i)
        keptEditors += m_shown[i].hasEditor ? 1 : 0;
    DestroyChildrenFrom(keptEditors);
    for (size_t i = kept; i < m_shown.size(); ++i)
        delete m_shown[i].deleteButton.data();
    m_shown.resize(kept);

    // The content is sized once, after the instances are built, so the
    // scroll bars do not follow every control added on the way.
    int y = kept > 0 ? m_shown.back().bottom : 0;
    my_editor* firstNew = nullptr;
    for (size_t i = kept; i < wanted.size(); ++i) {
        const DynamicInstance& instance = wanted[i];
        Shown entry{instance, y, false, nullptr};
        const qsizetype block = m_description.caseValues.indexOf(instance.caseValue);
        if (block >= 0 && size_t(block) < m_description.children.size()) {
            const my_formular& caseBlock = *m_description.children[size_t(block)];
            auto editor = std::make_unique<my_editor>(m_content, HookOf(), RecordOf());
            BuildChildEditors(
                caseBlock, *editor, 0, y,
                AppendSubstitution(m_substitutions, m_description.controlVariable, instance.id));
            int height = caseBlock.BottomExtent();
            if (instance.flag == QLatin1String("U")) {
                height = std::max(height, kLowestDeletable);
                entry.deleteButton = NewDeleteButton(instance, y + height);
            }
            y += height;
            entry.bottom = y;
            entry.hasEditor = true;
            my_editor* added = Append(std::move(editor));
            if (firstNew == nullptr) {
                firstNew = added;
                firstNew->focus_first();
            }
        }
        m_shown.push_back(entry);
    }
    m_content->resize(m_content->width(), y);
    if (firstNew != nullptr)
        ScrollIntoView(*area, *firstNew);
}

// The first new instance's focused control comes into view, else its last
// control, else the last control of the area.
void ed_dynamic::ScrollIntoView(QScrollArea& area, const my_editor& instance) const
{
    const QList<QWidget*> shown = instance.controls();
    QWidget* focused = QApplication::focusWidget();
    if (focused != nullptr && shown.contains(focused))
        area.ensureWidgetVisible(focused);
    else if (!shown.isEmpty())
        area.ensureWidgetVisible(shown.last());
    else if (const QList<QWidget*> all =
                 m_content->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
             !all.isEmpty())
        area.ensureWidgetVisible(all.last());
}

QToolButton* ed_dynamic::NewDeleteButton(const DynamicInstance& instance, int bottom)
{
    auto* button = new QToolButton(m_content);
    button->setAutoRaise(true);
    if (!m_deletePicture.isNull())
        button->setIcon(m_deletePicture);
    button->setGeometry(EvaluateTree(m_description.width) - kDeleteButtonInset,
                        bottom - kDeleteButtonSize, kDeleteButtonSize, kDeleteButtonSize);
    const QString action =
        QStringLiteral("HELP.") + m_fieldName + u'.' + instance.caseValue + u'.' + instance.id;
    QObject::connect(button, &QToolButton::clicked, this, [this, action] {
        if (QScrollArea* area = m_area.data())
            area->setFocus();
        Raise(FormEvent::Action, action);
    });
    button->show();
    return button;
}

// The instance with the focus takes the wheel first; otherwise it scrolls
// the instances while they are more than the area shows.
bool ed_dynamic::wheel(int notches)
{
    if (my_editor::wheel(notches))
        return true;
    QScrollArea* area = m_area.data();
    if (area == nullptr || !area->verticalScrollBar()->isVisible())
        return false;
    QScrollBar* bar = area->verticalScrollBar();
    bar->setValue(bar->value() - notches * kWheelStep);
    return true;
}

QList<QWidget*> ed_dynamic::controls() const
{
    QList<QWidget*> all = my_editor::controls();
    if (m_area)
        all.append(m_area.data());
    return all;
}
