#pragma once

#include "forms/ui/my_editor.h"

#include <QPointer>
#include <QWidget>

class QFont;

// An editor of one field shown in one control: the focus events, the
// commit on leaving the field, the read-only look and the operations of the
// editor tree, with what differs between the kinds left to them.
class FieldEditor : public my_editor
{
public:
    // `fieldName` is the field's name with the substitutions applied.
    FieldEditor(my_editor& parent, QString fieldName);
    ~FieldEditor() override;

    const QString& FieldName() const { return m_fieldName; }
    QWidget* Control() const { return m_control; }

    void refresh(const QString& name) override;
    bool focus_first() override;
    QList<QWidget*> controls() const override;
    bool has_focus() const override;
    bool wheel(int notches) override;
    QString caret() const override;
    bool set_caret(const QString& name, int position) override;
    bool screen_position(const QString& name, QPoint& point) const override;
    void commit() override;

    // The text controls' font: the container's face, 11 pixels.
    static QFont EditorFont(const QWidget& container, bool bold);

protected:
    // Takes `control` as the field's control, placed at `geometry`, and
    // shows the record's value in it.
    void Adopt(QWidget* control, const QRect& geometry);
    bool IsReadOnly() const;
    // Whether `control` (this editor's) may take the focus now.
    bool TakesFocus(const QWidget& control) const;
    void Store(const QString& value);

    // Shows the record's value.
    virtual void ShowValue() = 0;
    // Shows whether the field may be changed: grey, and locked where the
    // control has a read-only state of its own.
    virtual void ShowReadOnly(bool readOnly);
    // Writes the control's value to the record before a commit.
    virtual void StoreValue() {}
    // Whether gaining the focus is told to the form (buttons do not).
    virtual bool AnnouncesFocus() const { return true; }
    virtual int CaretPosition() const { return 0; }
    virtual void MoveCaret(int) {}
    // Leaving the field: unless it is read-only, store it, drop its
    // errors and tell the form.
    virtual void Commit();
    // Adds the errors of the value just committed, before the form hears of
    // the commit, so that it sees them with it.
    virtual void CheckCommitted() {}

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString m_fieldName;
    QPointer<QWidget> m_control;
};
