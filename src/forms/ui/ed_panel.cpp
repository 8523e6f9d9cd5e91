#include "forms/ui/ed_panel.h"

#include "forms/form_descriptions.h"
#include "forms/form_substitutions.h"
#include "forms/ui/editor_geometry.h"
#include "reports/ui/rich_text_view.h"

#include <QScrollArea>

namespace {

const QColor kPanelColour(0xE0, 0xE0, 0xE0);

} // namespace

ed_panel::ed_panel(my_editor& parent, const my_panel& description, int dx, int dy,
                   const QString& substitutions)
    : FieldEditor(parent, ApplySubstitutions(description.fieldName, substitutions))
{
    auto* area = new QScrollArea(Container());
    area->setFocusPolicy(Qt::NoFocus);
    area->setFrameShape(QFrame::NoFrame);
    QPalette palette = area->palette();
    palette.setColor(QPalette::Window, kPanelColour);
    area->setPalette(palette);
    area->setAutoFillBackground(true);
    m_view = std::make_unique<RichTextView>(
        *area, [this](const QString& link) { Raise(FormEvent::Action, FieldName() + u'|' + link); },
        m_messages);
    Adopt(area, TallGeometry(description, dx, dy));
}

ed_panel::~ed_panel() = default;

void ed_panel::ShowValue()
{
    m_view->Render(Raise(FormEvent::Announce, FieldName()).value_or(QStringList()));
}
