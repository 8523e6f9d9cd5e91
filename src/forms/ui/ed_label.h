#pragma once

#include "forms/ui/my_editor.h"

#include <QLabel>
#include <QPointer>

class my_label;

// LABEL and NO: a fixed caption that never takes the focus. NO's caption is
// a template, so a LIST row shows its own number.
class ed_label : public my_editor
{
public:
    ed_label(my_editor& parent, const my_label& description, int dx, int dy,
             const QString& substitutions);
    ~ed_label() override;

    QList<QWidget*> controls() const override;

private:
    QPointer<QLabel> m_label;
};
