#include "forms/ui/editor_geometry.h"

#include "forms/form_descriptions.h"
#include "forms/form_expression.h"

QPoint EditorPosition(const my_formular& description, int dx, int dy)
{
    return QPoint(EvaluateTree(description.left) + dx, EvaluateTree(description.top) + dy);
}

QRect SingleLineGeometry(const my_value_field& description, int dx, int dy)
{
    return QRect(EditorPosition(description, dx, dy),
                 QSize(EvaluateTree(description.width), kSingleLineHeight));
}

QRect TallGeometry(const my_tall_field& description, int dx, int dy)
{
    return QRect(EditorPosition(description, dx, dy),
                 QSize(EvaluateTree(description.width), EvaluateTree(description.height)));
}
