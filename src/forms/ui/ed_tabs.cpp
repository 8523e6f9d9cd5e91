#include "forms/ui/ed_tabs.h"

#include "forms/form_descriptions.h"
#include "forms/form_expression.h"
#include "forms/ui/editor_builder.h"
#include "forms/ui/editor_geometry.h"

#include <QScrollArea>

ed_tabs::ed_tabs(my_editor& parent, QTabWidget& tabs, int index, QWidget& content, bool ownsTabs)
    : my_editor(&content, parent.HookOf(), parent.RecordOf()), m_tabs(&tabs), m_index(index),
      m_ownsTabs(ownsTabs)
{
    QObject::connect(&tabs, &QTabWidget::currentChanged, this, [this](int shown) {
        if (shown == m_index)
            my_editor::focus_first();
    });
}

// The page's fields go before the page control that holds them, so that
// none of them is deleted under its editor.
ed_tabs::~ed_tabs()
{
    if (!m_ownsTabs)
        return;
    DestroyChildren();
    delete m_tabs.data();
}

bool ed_tabs::IsShown() const
{
    const QTabWidget* tabs = m_tabs.data();
    return tabs != nullptr && tabs->currentIndex() == m_index;
}

bool ed_tabs::focus_first()
{
    return IsShown() && my_editor::focus_first();
}

void BuildTabs(const my_tabs& description, my_editor& parent, int dx, int dy,
               const QString& substitutions)
{
    const int pages = int(
        std::min<qsizetype>(description.pageTitles.size(), qsizetype(description.children.size())));
    // The page control goes with a page's editor; without pages it would
    // have none, and would stay behind on a subform's or an instance's
    // area each time their fields are built again.
    if (pages == 0)
        return;
    auto* tabs = new QTabWidget(parent.Container());
    tabs->setTabPosition(QTabWidget::East);
    QFont font = parent.Container()->font();
    font.setFamily(QStringLiteral("Tahoma"));
    tabs->setFont(font);
    tabs->setGeometry(
        QRect(EditorPosition(description, dx, dy),
              QSize(EvaluateTree(description.width), EvaluateTree(description.height))));
    for (int i = 0; i < pages; ++i) {
        const my_formular& page = *description.children[size_t(i)];
        auto* area = new QScrollArea;
        area->setFrameShape(QFrame::NoFrame);
        auto* content = new QWidget;
        content->resize(page.RightExtent(), page.BottomExtent());
        area->setWidget(content);
        tabs->addTab(area, description.pageTitles[i]);
        // Editors are destroyed last first, so the first page's editor is
        // the one that outlives the others' and takes the control along.
        auto editor = std::make_unique<ed_tabs>(parent, *tabs, i, *content, i == 0);
        BuildChildEditors(page, *editor, 0, 0, substitutions);
        parent.Append(std::move(editor));
    }
    tabs->show();
}
