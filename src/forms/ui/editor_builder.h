#pragma once

#include <QString>

class my_editor;
class my_formular;

// Builds the editors of `description` and of everything inside it into
// `parent`, at the container offsets `dx`, `dy`, with the names' pairs in
// `substitutions`. A group builds its statements in order from its own
// position.
void BuildEditors(const my_formular& description, my_editor& parent, int dx, int dy,
                  const QString& substitutions);

// Builds each child of `description` as above, at the offsets `dx`, `dy`
// (a group passes its own position on; a subform's window starts at 0, 0).
void BuildChildEditors(const my_formular& description, my_editor& parent, int dx, int dy,
                       const QString& substitutions);
