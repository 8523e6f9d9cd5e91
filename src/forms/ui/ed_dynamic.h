#pragma once

#include "forms/dynamic_instances.h"
#include "forms/ui/my_editor.h"

#include <QPixmap>
#include <QPointer>
#include <QScrollArea>
#include <QToolButton>

#include <vector>

class my_dynamic;

// DYNAMIC: the instances its value lists, one below the other in a
// scrolling area, each showing the case block its case value names. When
// the form refreshes the field, the instances that stayed the same from
// the start keep their editors and only the rest are built again.
class ed_dynamic : public my_editor
{
public:
    ed_dynamic(my_editor& parent, const my_dynamic& description, int dx, int dy,
               const QString& substitutions);
    ~ed_dynamic() override;

    void refresh(const QString& name) override;
    bool wheel(int notches) override;
    QList<QWidget*> controls() const override;

    // Shows the instances of the field's value now.
    void ShowInstances();

private:
    struct Shown
    {
        DynamicInstance instance;
        // Where the next instance starts.
        int bottom = 0;
        // Skipped instances (an unknown case value) have no editor.
        bool hasEditor = false;
        QPointer<QToolButton> deleteButton;
    };

    QToolButton* NewDeleteButton(const DynamicInstance& instance, int bottom);
    void ScrollIntoView(QScrollArea& area, const my_editor& instance) const;

    const my_dynamic& m_description;
    QString m_substitutions;
    QString m_fieldName;
    QPointer<QScrollArea> m_area;
    QWidget* m_content = nullptr;
    QPixmap m_deletePicture;
    std::vector<Shown> m_shown;
};
