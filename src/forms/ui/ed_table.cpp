#include "forms/ui/ed_table.h"

#include "forms/cell_text_wrap.h"
#include "forms/form_descriptions.h"
#include "forms/form_expression.h"
#include "forms/form_record.h"
#include "forms/form_substitutions.h"
#include "forms/ui/editor_geometry.h"
#include "forms/ui/field_editor.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

constexpr int kLowestRow = 20;
const QColor kLockedColour(0xE0, 0xE0, 0xE0);

// Edits a cell through the table's editor and draws locked cells.
class CellDelegate : public QStyledItemDelegate
{
public:
    CellDelegate(ed_table& editor, QObject* parent) : QStyledItemDelegate(parent), m_editor(editor)
    {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        auto* edit =
            static_cast<QLineEdit*>(QStyledItemDelegate::createEditor(parent, option, index));
        m_editor.EditingStarted(index.row(), index.column());
        QObject::connect(edit, &QLineEdit::textEdited, &m_editor,
                         [this](const QString& text) { m_editor.Edited(text); });
        return edit;
    }

    // The record's value, which the form may have changed since it was shown.
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        static_cast<QLineEdit*>(editor)->setText(
            m_editor.RecordOf().Value(m_editor.CellName(index.row(), index.column())));
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        if (!m_editor.IsLocked(index.row(), index.column())) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        painter->save();
        painter->fillRect(option.rect, kLockedColour);
        const QFontMetrics metrics(option.font);
        const QRect area = option.rect.adjusted(2, 1, -2, -1);
        const QStringList lines = WrapCellText(
            index.data().toString(), area.width(), std::max(1, area.height() / metrics.height()),
            [&metrics](const QString& text) { return metrics.horizontalAdvance(text); });
        painter->setPen(option.palette.color(QPalette::Text));
        painter->drawText(area, Qt::AlignLeft | Qt::AlignTop, lines.join(u'\n'));
        painter->restore();
    }

private:
    ed_table& m_editor;
};

} // namespace

ed_table::ed_table(my_editor& parent, const my_table& description, int dx, int dy,
                   const QString& substitutions)
    : my_editor(parent.Container(), parent.HookOf(), parent.RecordOf())
{
    const int rows = std::clamp(EvaluateTree(description.rowCount), 0, kLastTableRow);
    for (const QString& cellName : description.cellNames) {
        QStringList column;
        for (int row = 1; row <= rows; ++row) {
            column << ApplySubstitutions(
                cellName,
                AppendSubstitution(substitutions, description.rowVariable, QString::number(row)));
        }
        m_names.push_back(column);
    }
    auto* table = new QTableWidget(rows, int(m_names.size()), Container());
    m_table = table;
    table->setFont(FieldEditor::EditorFont(*Container(), true));
    table->setHorizontalHeaderLabels(description.headers);
    table->verticalHeader()->hide();
    table->setItemDelegate(new CellDelegate(*this, table));
    table->setGeometry(
        QRect(EditorPosition(description, dx, dy),
              QSize(EvaluateTree(description.width), EvaluateTree(description.height))));
    for (size_t column = 0; column < description.columnWidths.size() && column < m_names.size();
         ++column)
        table->setColumnWidth(int(column), description.columnWidths[column]);
    table->verticalHeader()->setDefaultSectionSize(
        std::max(kLowestRow, table->viewport()->height() / (rows + 1)));
    for (int column = 0; column < int(m_names.size()); ++column) {
        for (int row = 0; row < rows; ++row) {
            table->setItem(row, column, new QTableWidgetItem);
            ShowCell(row, column);
            Raise(FormEvent::Announce, CellName(row, column));
        }
    }
    QObject::connect(table, &QTableWidget::currentCellChanged, this,
                     [this](int row, int column, int previousRow, int previousColumn) {
                         CurrentCellChanged(row, column, previousRow, previousColumn);
                     });
    m_moving = true;
    for (int column = 0; column < int(m_names.size()) && table->currentRow() < 0; ++column) {
        for (int row = 0; row < rows; ++row) {
            if (!IsLocked(row, column)) {
                table->setCurrentCell(row, column);
                break;
            }
        }
    }
    m_moving = false;
    table->show();
}

ed_table::~ed_table()
{
    delete m_table.data();
}

QString ed_table::CellName(int row, int column) const
{
    if (column < 0 || size_t(column) >= m_names.size())
        return QString();
    return m_names[size_t(column)].value(row);
}

bool ed_table::IsLocked(int row, int column) const
{
    return RecordOf().IsReadOnly(CellName(row, column));
}

void ed_table::ShowCell(int row, int column)
{
    QTableWidgetItem* item = m_table ? m_table->item(row, column) : nullptr;
    if (item == nullptr)
        return;
    const QString name = CellName(row, column);
    item->setText(RecordOf().Value(name));
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    item->setFlags(RecordOf().IsReadOnly(name) ? Qt::ItemIsEnabled : flags | Qt::ItemIsEditable);
}

void ed_table::EditingStarted(int row, int column)
{
    m_editing = CellName(row, column);
    Raise(FormEvent::Focus, m_editing);
}

void ed_table::Edited(const QString& text)
{
    if (m_editing.isEmpty())
        return;
    RecordOf().SetValue(m_editing, text);
    Raise(FormEvent::Change, m_editing);
}

// A locked cell cannot be chosen: the choice goes back to the cell left.
void ed_table::CurrentCellChanged(int row, int column, int previousRow, int previousColumn)
{
    QTableWidget* table = m_table.data();
    if (m_moving || table == nullptr)
        return;
    if (row >= 0 && IsLocked(row, column)) {
        m_moving = true;
        table->setCurrentCell(previousRow, previousColumn);
        m_moving = false;
        return;
    }
    commit();
}

void ed_table::commit()
{
    if (m_editing.isEmpty())
        return;
    const QString left = m_editing;
    m_editing.clear();
    Raise(FormEvent::Commit, left);
}

void ed_table::refresh(const QString& name)
{
    for (int column = 0; column < int(m_names.size()); ++column) {
        for (int row = 0; row < m_names[size_t(column)].size(); ++row) {
            if (m_names[size_t(column)][row] == name)
                ShowCell(row, column);
        }
    }
}

bool ed_table::focus_first()
{
    QTableWidget* table = m_table.data();
    if (table == nullptr || table->currentRow() < 0)
        return false;
    table->setFocus();
    return true;
}

QList<QWidget*> ed_table::controls() const
{
    QList<QWidget*> all;
    if (m_table)
        all << m_table.data();
    return all;
}

bool ed_table::has_focus() const
{
    const QTableWidget* table = m_table.data();
    const QWidget* focused = QApplication::focusWidget();
    return table != nullptr && focused != nullptr &&
           (focused == table || table->isAncestorOf(focused));
}
