#pragma once

#include "forms/ui/action_editor.h"

#include <QDialog>
#include <QPointer>

#include <memory>

class my_form;

// FORM: a picture button that opens the subform in a small window of its
// own. The window is made at the first opening and kept; the subform's
// editors are built at each opening and go when the window closes. The
// form hears of the opening (action) and of the closing (commit).
class ed_form : public ActionEditor
{
public:
    ed_form(my_editor& parent, const my_form& description, int dx, int dy,
            const QString& substitutions);
    ~ed_form() override;

    // Its own name opens the window, or closes it when it is open; other
    // names go to the subform's fields while the window is open.
    void refresh(const QString& name) override;

private:
    void Open();

    const my_form& m_description;
    QString m_substitutions;
    QPointer<QDialog> m_window;
    QWidget* m_panel = nullptr;
    std::unique_ptr<my_editor> m_subform;
};
