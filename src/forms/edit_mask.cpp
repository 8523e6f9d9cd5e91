#include "forms/edit_mask.h"

#include <QStringList>

namespace {

// The form language's position characters and the input mask's.
QChar InputMaskCharacter(QChar character)
{
    switch (character.unicode()) {
    case u'0':
        return u'9';
    case u'9':
        return u'0';
    case u'#':
        return u'#';
    case u'L':
        return u'A';
    case u'l':
        return u'a';
    case u'A':
        return u'N';
    case u'a':
        return u'n';
    case u'C':
        return u'X';
    case u'c':
        return u'x';
    default:
        return QChar();
    }
}

// Characters the input mask reads as positions or switches; a literal that
// is one of them is escaped.
bool IsInputMaskMeta(QChar character)
{
    return QStringLiteral("AaNnXx90Dd#HhBb><!\\[]{}").contains(character);
}

} // namespace

EditMask::EditMask(const QString& text)
{
    const QStringList parts = text.split(u';');
    const QString mask = parts.value(0);
    if (parts.size() > 1)
        m_keepsLiterals = parts[1] != QStringLiteral("0");
    if (parts.size() > 2 && !parts[2].isEmpty())
        m_blank = parts[2][0];
    for (qsizetype i = 0; i < mask.size(); ++i) {
        const QChar character = mask[i];
        if (character == u'<' && i + 1 < mask.size() && mask[i + 1] == u'>') {
            m_inputMask += u'!';
            ++i;
        } else if (character == u'>' || character == u'<') {
            m_inputMask += character;
        } else if (character == u'\\' && i + 1 < mask.size()) {
            const QChar literal = mask[++i];
            m_positions.push_back({true, literal});
            m_inputMask += IsInputMaskMeta(literal) ? QString(u'\\') + literal : QString(literal);
        } else if (const QChar position = InputMaskCharacter(character); !position.isNull()) {
            m_positions.push_back({false, QChar()});
            m_inputMask += position;
        } else {
            m_positions.push_back({true, character});
            m_inputMask +=
                IsInputMaskMeta(character) ? QString(u'\\') + character : QString(character);
        }
    }
    m_inputMask += u';' + QString(m_blank == u';' ? QChar(u' ') : m_blank);
}

QString EditMask::ValueOfShown(const QString& shown) const
{
    QString value;
    for (std::size_t i = 0; i < m_positions.size(); ++i) {
        const QChar character = i < std::size_t(shown.size()) ? shown[qsizetype(i)] : QChar(u' ');
        if (!m_positions[i].literal)
            value += character == m_blank ? QChar(u' ') : character;
        else if (m_keepsLiterals)
            value += character;
    }
    while (value.endsWith(u' '))
        value.chop(1);
    return value;
}

QString EditMask::ShownOfValue(const QString& value) const
{
    QString shown;
    qsizetype next = 0;
    for (const Position& position : m_positions) {
        if (position.literal && !m_keepsLiterals) {
            shown += position.character;
            continue;
        }
        shown += next < value.size() ? value[next] : QChar(u' ');
        ++next;
    }
    return shown;
}
