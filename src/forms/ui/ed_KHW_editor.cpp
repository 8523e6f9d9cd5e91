#include "forms/ui/ed_KHW_editor.h"

#include "forms/form_descriptions.h"

#include <QLineEdit>
#include <QPainter>
#include <QPixmap>

namespace {

constexpr int kButtonSize = 20;
constexpr int kGlyphSize = 12;

// A list with a pointer at it: five short lines at the left and a triangle
// pointing left at the right, black on a transparent 12 × 12 picture.
QPixmap SearchGlyph()
{
    QPixmap glyph(kGlyphSize, kGlyphSize);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    painter.setPen(Qt::black);
    for (int line = 0; line < 5; ++line)
        painter.drawLine(1, 2 + 2 * line, 5, 2 + 2 * line);
    painter.setBrush(Qt::black);
    const QPoint triangle[] = {QPoint(7, 6), QPoint(11, 2), QPoint(11, 10)};
    painter.drawPolygon(triangle, 3);
    return glyph;
}

} // namespace

ed_KHW_editor::ed_KHW_editor(my_editor& parent, const my_KHW& description, int dx, int dy,
                             const QString& substitutions)
    : ed_lineedit(parent, description, dx, dy, substitutions, kButtonSize)
{
    const QRect edit = Edit()->geometry();
    auto* search = new QToolButton(Container());
    m_search = search;
    search->setAutoRaise(true);
    search->setIcon(SearchGlyph());
    search->setIconSize(QSize(kGlyphSize, kGlyphSize));
    search->setToolTip(QStringLiteral("Wyszukaj w kartotece wzorcowej"));
    search->setFocusPolicy(Qt::NoFocus);
    search->setGeometry(edit.right() + 1, edit.top(), kButtonSize, kButtonSize);
    search->setEnabled(!IsReadOnly());
    QObject::connect(search, &QToolButton::clicked, this, [this] { Search(); });
    search->show();
}

ed_KHW_editor::~ed_KHW_editor()
{
    delete m_search.data();
}

QList<QWidget*> ed_KHW_editor::controls() const
{
    QList<QWidget*> all = ed_lineedit::controls();
    if (m_search)
        all.append(m_search.data());
    return all;
}

void ed_KHW_editor::ShowReadOnly(bool readOnly)
{
    ed_lineedit::ShowReadOnly(readOnly);
    if (QToolButton* search = m_search.data())
        search->setEnabled(!readOnly);
}

// The form may fill the field from what it found, so the record's value is
// shown again afterwards.
void ed_KHW_editor::Search()
{
    StoreValue();
    Raise(FormEvent::Action, FieldName());
    ShowValue();
    Edit()->setFocus();
}
