#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The text of a locked table cell broken into lines at spaces to fit
// `width` (as `measure` gives a text's width). When there are more lines
// than `maxLines`, the last one kept loses words from its end until it and
// "..." fit, and ends with "...". A single word wider than the cell keeps a
// line of its own.
QStringList WrapCellText(const QString& text, int width, int maxLines,
                         const std::function<int(const QString&)>& measure);
