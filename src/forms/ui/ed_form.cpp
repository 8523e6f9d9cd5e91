#include "forms/ui/ed_form.h"

#include "app/ui/modal_runner.h"
#include "forms/form_descriptions.h"
#include "forms/form_expression.h"
#include "forms/form_substitutions.h"
#include "forms/ui/editor_builder.h"
#include "forms/ui/editor_geometry.h"
#include "forms/ui/picture_button.h"

#include <QToolButton>

namespace {

constexpr int kButtonSize = 20;
constexpr int kSmallestPanelWidth = 100;
constexpr int kSmallestPanelHeight = 30;
constexpr int kPanelMargin = 4;
constexpr int kWindowFontPixels = 11;

// The subform's fields' furthest right and bottom edges, with room around.
QSize PanelSize(const my_form& description)
{
    int right = kSmallestPanelWidth;
    int bottom = kSmallestPanelHeight;
    for (const auto& child : description.children) {
        right = std::max(right, child->RightExtent());
        bottom = std::max(bottom, child->BottomExtent());
    }
    return QSize(right + kPanelMargin, bottom + kPanelMargin);
}

} // namespace

ed_form::ed_form(my_editor& parent, const my_form& description, int dx, int dy,
                 const QString& substitutions)
    : ActionEditor(parent, ApplySubstitutions(description.fieldName, substitutions)),
      m_description(description), m_substitutions(substitutions)
{
    QToolButton* button = NewPictureButton(Container(), description.picture);
    Adopt(button, QRect(EditorPosition(description, dx, dy), QSize(kButtonSize, kButtonSize)));
    // Without a picture there is nothing to click; the form can still open
    // the window by refreshing the field.
    button->setVisible(!button->icon().isNull());
    QObject::connect(button, &QToolButton::clicked, this, [this] { Open(); });
}

ed_form::~ed_form()
{
    m_subform.reset();
    delete m_window.data();
}

void ed_form::refresh(const QString& name)
{
    if (name == FieldName()) {
        if (QDialog* window = m_window.data(); window != nullptr && window->isVisible())
            window->reject();
        else if (!m_subform)
            Open();
        return;
    }
    if (m_subform)
        m_subform->refresh(name);
}

void ed_form::Open()
{
    Container()->setFocus();
    Raise(FormEvent::Action, FieldName());
    QDialog* window = m_window.data();
    if (window == nullptr) {
        window = new QDialog(Container()->window(),
                             Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
        window->setWindowTitle(m_description.title);
        QFont font(QStringLiteral("Tahoma"));
        font.setPixelSize(kWindowFontPixels);
        window->setFont(font);
        m_panel = new QWidget(window);
        m_panel->resize(PanelSize(m_description));
        window->setFixedSize(m_panel->size());
        m_window = window;
    }
    const QPoint offset(EvaluateTree(m_description.windowOffsetX),
                        EvaluateTree(m_description.windowOffsetY));
    if (const QWidget* button = Control())
        window->move(button->mapToGlobal(QPoint(0, 0)) + offset);
    m_subform = std::make_unique<my_editor>(m_panel, HookOf(), Record());
    BuildChildEditors(m_description, *m_subform, 0, 0, m_substitutions);
    m_subform->focus_first();
    RunModal(*window);
    m_subform.reset();
    Raise(FormEvent::Commit, FieldName());
}
