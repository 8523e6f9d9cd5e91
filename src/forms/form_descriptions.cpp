#include "forms/form_descriptions.h"

#include "forms/form_substitutions.h"

#include <algorithm>
#include <limits>

namespace {

// Extents are sums of 32-bit values; they are added in 64 bits and held to
// the 32-bit range so that no description can overflow them.
int Clamped(qint64 value)
{
    return static_cast<int>(std::clamp<qint64>(value, std::numeric_limits<int>::min(),
                                               std::numeric_limits<int>::max()));
}

int Extent(const ExpressionTree& origin, const ExpressionTree& size)
{
    return Clamped(qint64{EvaluateTree(origin)} + EvaluateTree(size));
}

int Extent(const ExpressionTree& origin, int size)
{
    return Clamped(qint64{EvaluateTree(origin)} + size);
}

constexpr int kLineHeight = 20;
constexpr int kScrollBarWidth = 20;
constexpr int kSubformButtonSize = 20;

} // namespace

my_formular* my_formular::Add(std::unique_ptr<my_formular> child)
{
    children.push_back(std::move(child));
    return children.back().get();
}

QStringList my_formular::FieldNames(const QString& substitutions) const
{
    QStringList names;
    for (const auto& child : children)
        names << child->FieldNames(substitutions);
    return names;
}

std::vector<const my_formular*> my_formular::ValueFields() const
{
    std::vector<const my_formular*> fields;
    for (const auto& child : children) {
        const std::vector<const my_formular*> more = child->ValueFields();
        fields.insert(fields.end(), more.begin(), more.end());
    }
    return fields;
}

int my_formular::RightExtent() const
{
    const qint64 own = EvaluateTree(left);
    qint64 extent = own;
    for (const auto& child : children)
        extent = std::max(extent, own + child->RightExtent());
    return Clamped(extent);
}

int my_formular::BottomExtent() const
{
    const qint64 own = EvaluateTree(top);
    qint64 extent = own;
    for (const auto& child : children)
        extent = std::max(extent, own + child->BottomExtent());
    return Clamped(extent);
}

int my_label::RightExtent() const
{
    return EvaluateTree(left);
}

int my_label::BottomExtent() const
{
    return EvaluateTree(top);
}

QStringList my_value_field::FieldNames(const QString& substitutions) const
{
    return {ApplySubstitutions(fieldName, substitutions)};
}

int my_value_field::RightExtent() const
{
    return Extent(left, width);
}

int my_value_field::BottomExtent() const
{
    return Extent(top, kLineHeight);
}

int my_tall_field::BottomExtent() const
{
    return Extent(top, height);
}

int my_markedit::BottomExtent() const
{
    return EvaluateTree(height) == 0 ? Extent(top, kLineHeight) : Extent(top, height);
}

int my_sized_container::RightExtent() const
{
    return Extent(left, width);
}

int my_sized_container::BottomExtent() const
{
    return Extent(top, height);
}

QStringList my_list::FieldNames(const QString& substitutions) const
{
    return my_formular::FieldNames(
        AppendSubstitution(substitutions, listVariable, QStringLiteral("*")));
}

int my_list::RightExtent() const
{
    return Clamped(qint64{my_sized_container::RightExtent()} + kScrollBarWidth);
}

QStringList my_table::FieldNames(const QString& substitutions) const
{
    const int rows = std::min(EvaluateTree(rowCount), kLastTableRow);
    QStringList names;
    for (const QString& cellName : cellNames) {
        for (int row = 1; row <= rows; ++row) {
            const QString cellSubstitutions =
                AppendSubstitution(substitutions, rowVariable, QString::number(row));
            names << ApplySubstitutions(cellName, cellSubstitutions);
        }
    }
    return names;
}

int my_form::RightExtent() const
{
    return Extent(left, kSubformButtonSize);
}

int my_form::BottomExtent() const
{
    return Extent(top, kSubformButtonSize);
}

QStringList my_dynamic::FieldNames(const QString& substitutions) const
{
    return my_formular::FieldNames(
        AppendSubstitution(substitutions, controlVariable, QStringLiteral("*")));
}

std::vector<FormMenuItem> ParseMenuText(const QString& menuText)
{
    std::vector<FormMenuItem> top;
    // The open submenus, innermost last; kept as a path of indices because
    // the vectors move as they grow.
    std::vector<size_t> path;
    // Submenus deeper than a person can use are flattened into the deepest
    // kept level; the nested items would otherwise only cost stack.
    constexpr size_t kDeepestMenu = 16;
    size_t flattened = 0;
    auto current = [&]() -> std::vector<FormMenuItem>& {
        std::vector<FormMenuItem>* items = &top;
        for (size_t index : path)
            items = &(*items)[index].items;
        return *items;
    };
    const QStringList parts = menuText.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& name = parts[i];
        const QString& caption = parts[i + 1];
        if (caption.isEmpty()) {
            if (flattened > 0)
                --flattened;
            else if (path.empty())
                break;
            else
                path.pop_back();
        } else if (name.isEmpty() && path.size() >= kDeepestMenu) {
            ++flattened;
        } else if (name.isEmpty()) {
            std::vector<FormMenuItem>& items = current();
            items.push_back({QString(), caption, {}});
            path.push_back(items.size() - 1);
        } else {
            current().push_back({name, caption, {}});
        }
    }
    return top;
}
