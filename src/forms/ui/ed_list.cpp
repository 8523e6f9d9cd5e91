#include "forms/ui/ed_list.h"

#include "app/ui/modal_runner.h"
#include "forms/form_descriptions.h"
#include "forms/form_expression.h"
#include "forms/form_run_settings.h"
#include "forms/form_substitutions.h"
#include "forms/ui/editor_builder.h"
#include "forms/ui/editor_geometry.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMouseEvent>

namespace {

constexpr int kScrollBarWidth = 16;
constexpr int kMarkWidth = 16;
constexpr int kMarkHeight = 2;
const QColor kMarkColour(0x00, 0x80, 0x00);

QLabel* NewMark(QWidget* container, const QPoint& at)
{
    auto* mark = new QLabel(container);
    mark->setGeometry(QRect(at, QSize(kMarkWidth, kMarkHeight)));
    mark->setAutoFillBackground(true);
    QPalette palette = mark->palette();
    palette.setColor(QPalette::Window, kMarkColour);
    mark->setPalette(palette);
    mark->setCursor(Qt::PointingHandCursor);
    return mark;
}

} // namespace

ed_list::ed_list(my_editor& parent, const my_list& description, int dx, int dy,
                 const QString& substitutions)
    : my_editor(parent.Container(), parent.HookOf(), parent.RecordOf()), m_description(description),
      m_substitutions(substitutions), m_fields(ListRowFields(description, substitutions)),
      m_rows(std::max(1, EvaluateTree(description.rowCount)))
{
    const QPoint at = EditorPosition(description, dx, dy);
    const int width = EvaluateTree(description.width);
    const int height = EvaluateTree(description.height);
    const int rowHeight = EvaluateTree(description.rowHeight);
    auto* scrollBar = new QScrollBar(Qt::Vertical, Container());
    m_scrollBar = scrollBar;
    const QRect bar(at.x() + width + 1, at.y() + 3, kScrollBarWidth,
                    std::max(0, height - m_rows - 7));
    scrollBar->setGeometry(bar);
    scrollBar->setRange(1, std::max(1, CurrentFormRunSettings().lastListRow));
    scrollBar->setPageStep(m_rows);
    scrollBar->setContextMenuPolicy(Qt::DefaultContextMenu);
    scrollBar->installEventFilter(this);
    scrollBar->show();
    QObject::connect(scrollBar, &QScrollBar::valueChanged, this, [this](int row) {
        if (!m_scrolling)
            ScrollTo(row);
    });
    m_upper = NewMark(Container(), QPoint(bar.x(), bar.y() - 4));
    m_lower = NewMark(Container(), QPoint(bar.x(), bar.bottom() + 2));
    m_upper->installEventFilter(this);
    m_lower->installEventFilter(this);
    for (int i = 0; i < m_rows; ++i) {
        auto* panel = new QWidget(Container());
        panel->setGeometry(at.x(), at.y() + rowHeight * i, width, rowHeight);
        panel->show();
        m_panels.emplace_back(panel);
    }
    BuildRows();
}

ed_list::~ed_list()
{
    DestroyChildren();
    for (const QPointer<QWidget>& panel : m_panels)
        delete panel.data();
    for (QWidget* widget :
         {static_cast<QWidget*>(m_scrollBar.data()), static_cast<QWidget*>(m_upper.data()),
          static_cast<QWidget*>(m_lower.data())}) {
        if (widget != nullptr) {
            widget->removeEventFilter(this);
            delete widget;
        }
    }
}

// A row's editor stands on the row's panel; the rows' editors are the
// children, in row order.
void ed_list::BuildRows()
{
    DestroyChildren();
    for (int i = 0; i < m_rows; ++i) {
        QWidget* panel = m_panels[size_t(i)].data();
        if (panel == nullptr)
            continue;
        auto row = std::make_unique<my_editor>(panel, HookOf(), RecordOf());
        BuildChildEditors(m_description, *row, 0, 0,
                          AppendSubstitution(m_substitutions, m_description.listVariable,
                                             QString::number(m_position + i)));
        Append(std::move(row));
    }
    ShowMarks();
}

void ed_list::ShowMarks()
{
    const std::vector<int> rows = RowsWithValues(RecordOf(), m_fields);
    if (QLabel* upper = m_upper.data())
        upper->setVisible(!rows.empty() && rows.front() < m_position);
    if (QLabel* lower = m_lower.data())
        lower->setVisible(!rows.empty() && rows.back() > m_position + m_rows - 1);
}

void ed_list::ScrollTo(int row)
{
    QScrollBar* scrollBar = m_scrollBar.data();
    if (scrollBar == nullptr)
        return;
    m_scrolling = true;
    scrollBar->setValue(row);
    m_scrolling = false;
    m_position = scrollBar->value();
    // The field being edited is left (and committed) before its row goes.
    scrollBar->setFocus();
    BuildRows();
}

QList<QWidget*> ed_list::controls() const
{
    QList<QWidget*> all = my_editor::controls();
    if (m_scrollBar)
        all.append(m_scrollBar.data());
    return all;
}

// A notch away from the librarian goes towards row 1, unless a row's own
// field takes the wheel.
bool ed_list::wheel(int notches)
{
    if (my_editor::wheel(notches))
        return true;
    ScrollTo(m_position - notches);
    return true;
}

void ed_list::Search()
{
    QInputDialog box(Container()->window());
    box.setWindowTitle(QStringLiteral("Wyszukaj tekst"));
    box.setLabelText(QStringLiteral("Dozwolone znaki wzorca \"*\" i \"?\""));
    if (RunModal(box) != QDialog::Accepted || box.textValue().isEmpty())
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const int row = SearchListRows(RecordOf(), m_fields, m_position, box.textValue(), HookOf());
    QGuiApplication::restoreOverrideCursor();
    if (row > 0)
        ScrollTo(row);
}

bool ed_list::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_scrollBar.data() && event->type() == QEvent::ContextMenu) {
        Search();
        return true;
    }
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == m_upper.data()) {
            ScrollTo(1);
            return true;
        }
        if (watched == m_lower.data()) {
            const std::vector<int> rows = RowsWithValues(RecordOf(), m_fields);
            if (!rows.empty())
                ScrollTo(rows.back());
            return true;
        }
    }
    return my_editor::eventFilter(watched, event);
}
