#pragma once

#include <QStringList>

class my_editor;
class my_formular;

// Builds the editors of `description` and of everything inside it into
// `parent`, at the container offsets `dx`, `dy`, with the names' pairs in
// `substitutions`. A block without a control of its own builds its
// statements in order. Returns the kinds of field this version cannot show
// yet, each once, so that the window can say so rather than leave a gap.
QStringList BuildEditors(const my_formular& description, my_editor& parent, int dx, int dy,
                         const QString& substitutions);

// Builds each child of `description` as above, at the offsets `dx`, `dy`
// (a group passes its own position on; a subform's window starts at 0, 0).
QStringList BuildChildEditors(const my_formular& description, my_editor& parent, int dx, int dy,
                              const QString& substitutions);
