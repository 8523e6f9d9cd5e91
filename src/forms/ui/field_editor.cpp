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
    if (m_control) {
        m_control->removeEventFilter(this);
        delete m_control;
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
    QPalette palette = m_control->palette();
    palette.setColor(QPalette::Base, readOnly ? kReadOnlyColour : QColor(Qt::white));
    m_control->setPalette(palette);
}

void FieldEditor::refresh(const QString& name)
{
    if (name != m_fieldName || !m_control)
        return;
    const bool readOnly = IsReadOnly();
    ShowReadOnly(readOnly);
    ShowValue();
    if (!readOnly && m_control->isEnabled() && m_control->focusPolicy() != Qt::NoFocus)
        m_control->setFocus();
}

bool FieldEditor::focus_first()
{
    if (!m_control || IsReadOnly() || !m_control->isEnabled() ||
        m_control->focusPolicy() == Qt::NoFocus)
        return false;
    m_control->setFocus();
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
    return m_control && m_control->hasFocus();
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
    if (name != m_fieldName || !m_control)
        return false;
    point = m_control->mapToGlobal(QPoint(0, 0));
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
