#pragma once

#include <QRect>

class my_formular;
class my_value_field;
class my_tall_field;

// Where a description's control goes: its position plus the offsets of the
// container it is built into; single-line controls are 20 pixels high.
inline constexpr int kSingleLineHeight = 20;

QPoint EditorPosition(const my_formular& description, int dx, int dy);
QRect SingleLineGeometry(const my_value_field& description, int dx, int dy);
QRect TallGeometry(const my_tall_field& description, int dx, int dy);
