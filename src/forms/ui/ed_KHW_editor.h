#pragma once

#include "forms/ui/ed_lineedit.h"

#include <QPointer>
#include <QToolButton>

class my_KHW;

// DICTIONARY: a line edit with a search button at its right that asks the
// form to look the text up in the authority file.
class ed_KHW_editor : public ed_lineedit
{
public:
    ed_KHW_editor(my_editor& parent, const my_KHW& description, int dx, int dy,
                  const QString& substitutions);
    ~ed_KHW_editor() override;

    QList<QWidget*> controls() const override;

protected:
    void ShowReadOnly(bool readOnly) override;

private:
    void Search();

    QPointer<QToolButton> m_search;
};
