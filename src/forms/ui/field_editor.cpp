#include "forms/ui/field_editor.h"

#include "forms/form_record.h"

#include <QEvent>
#include <QFont>
#include <QWidget>

namespace {

constexpr int kEditorFontPixels = 11;
const QColor kReadOnlyColour(0xE0, 0xE0, 0xE0);

} // namespace

FieldEditor::FieldEditor(my_editor& parent, QString fieldName)
    : my_editor(parent.Container(), parent.HookOf(), parent.RecordOf()),
      m_fieldName(std::move(fieldName))
{}

// The control goes without a word to the form: losing the focus as it is
// deleted is no commit.
FieldEditor::~FieldEditor()
{
    if (QWidget* control = m_control.data()) {
        control->removeEventFilter(this);
        delete control;
    }
}

QFont FieldEditor::EditorFont(const QWidget& container, bool bold)
{
    QFont font = container.font();
    font.setPixelSize(kEditorFontPixels);
    font.setBold(bold);
    return font;
}

void FieldEditor::Adopt(QWidget* control, const QRect& geometry)
{
    m_control = control;
    control->setGeometry(geometry);
    control->installEventFilter(this);
    ShowReadOnly(IsReadOnly());
    ShowValue();
    control->show();
}

bool FieldEditor::IsReadOnly() const
{
    return Record().IsReadOnly(m_fieldName);
}

void FieldEditor::Store(const QString& value)
{
    Record().SetValue(m_fieldName, value);
}

void FieldEditor::ShowReadOnly(bool readOnly)
{
    QWidget* control = m_control.data();
    QPalette palette = control->palette();
    palette.setColor(QPalette::Base, readOnly ? kReadOnlyColour : QColor(Qt::white));
    control->setPalette(palette);
    // Edits, spin boxes and memos lock their text through the same property.
    if (control->metaObject()->indexOfProperty("readOnly") >= 0)
        control->setProperty("readOnly", readOnly);
}

// The control is looked at through one pointer: a guarded pointer read
// twice may, as far as the compiler knows, be null the second time.
bool FieldEditor::TakesFocus(const QWidget& control) const
{
    return !IsReadOnly() && control.isEnabled() && control.focusPolicy() != Qt::NoFocus;
}

void FieldEditor::refresh(const QString& name)
{
    QWidget* control = m_control.data();
    if (name != m_fieldName || control == nullptr)
        return;
    ShowReadOnly(IsReadOnly());
    ShowValue();
    if (TakesFocus(*control))
        control->setFocus();
}

bool FieldEditor::focus_first()
{
    QWidget* control = m_control.data();
    if (control == nullptr || !TakesFocus(*control))
        return false;
    control->setFocus();
    return true;
}

QList<QWidget*> FieldEditor::controls() const
{
    QList<QWidget*> all = my_editor::controls();
    if (m_control)
        all.prepend(m_control);
    return all;
}

bool FieldEditor::has_focus() const
{
    const QWidget* control = m_control.data();
    return control != nullptr && control->hasFocus();
}

bool FieldEditor::wheel(int)
{
    return false;
}

QString FieldEditor::caret() const
{
    if (!has_focus())
        return QString();
    return m_fieldName + u'|' + QString::number(CaretPosition());
}

bool FieldEditor::set_caret(const QString& name, int position)
{
    if (name != m_fieldName)
        return false;
    if (has_focus())
        MoveCaret(position);
    return true;
}

bool FieldEditor::screen_position(const QString& name, QPoint& point) const
{
    const QWidget* control = m_control.data();
    if (name != m_fieldName || control == nullptr)
        return false;
    point = control->mapToGlobal(QPoint(0, 0));
    return true;
}

void FieldEditor::commit()
{
    if (has_focus())
        Commit();
}

void FieldEditor::Commit()
{
    if (IsReadOnly())
        return;
    StoreValue();
    Record().RemoveErrorsFor(m_fieldName);
    CheckCommitted();
    Raise(FormEvent::Commit, m_fieldName);
}

bool FieldEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_control) {
        if (event->type() == QEvent::FocusIn && AnnouncesFocus())
            Raise(FormEvent::Focus, m_fieldName);
        else if (event->type() == QEvent::FocusOut)
            Commit();
    }
    return my_editor::eventFilter(watched, event);
}
