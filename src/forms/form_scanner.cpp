#include "forms/form_scanner.h"

#include <array>

namespace {

const std::array<const char*, 32> kKeywords = {
    "BEGIN",  "END",        "PROCEDURE", "ON",    "LIST",   "TABS",    "FORM",      "DYNAMIC",
    "LABEL",  "NO",         "TEXT",      "PANEL", "FIELD",  "MEMO",    "MULTILINE", "MARKERS",
    "NUMBER", "SPIN",       "DATE",      "COMBO", "TABLE",  "CHECK",   "BUTTON",    "SPEED",
    "MENU",   "DICTIONARY", "MASK",      "OF",    "SIGNED", "DEFAULT", "PASSWORD",  "LIMIT"};

// Only a-z fold; letters outside A-Z (Polish ones among them) are no part
// of a word.
QChar AsciiUpper(QChar c)
{
    return c >= u'a' && c <= u'z' ? QChar(c.unicode() - (u'a' - u'A')) : c;
}

bool IsWordCharacter(QChar c)
{
    const QChar upper = AsciiUpper(c);
    return (upper >= u'A' && upper <= u'Z') || upper == u'_';
}

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

FormToken Single(FormTokenKind kind, QChar c)
{
    return {kind, QString(c), FormKeyword::None};
}

} // namespace

FormToken FormScanner::Next()
{
    for (;;) {
        if (m_position >= m_line.size()) {
            if (m_nextLine >= m_lines.size())
                return {FormTokenKind::End, QString(), FormKeyword::None};
            m_line = m_lines[m_nextLine++];
            m_position = 0;
            m_lineComment = false;
            continue;
        }
        const QChar c = m_line[m_position++];
        if (m_lineComment)
            continue;
        if (m_braceComment) {
            m_braceComment = c != u'}';
            continue;
        }
        switch (c.unicode()) {
        case u' ':
        case u'\t':
            continue;
        case u';':
            m_lineComment = true;
            continue;
        case u'{':
            m_braceComment = true;
            continue;
        case u'(':
            return Single(FormTokenKind::LeftParenthesis, c);
        case u')':
            return Single(FormTokenKind::RightParenthesis, c);
        case u'+':
            return Single(FormTokenKind::Plus, c);
        case u'-':
            return Single(FormTokenKind::Minus, c);
        case u'*':
            return Single(FormTokenKind::Times, c);
        case u'/':
            return Single(FormTokenKind::Divide, c);
        case u',':
            return Single(FormTokenKind::Comma, c);
        case u'\'':
        case u'\\':
            return String(c);
        default:
            break;
        }
        if (IsWordCharacter(c))
            return Word(c);
        if (IsDigit(c))
            return Digits(c);
        return Single(FormTokenKind::Unrecognised, c);
    }
}

FormToken FormScanner::Word(QChar first)
{
    QString word(AsciiUpper(first));
    while (m_position < m_line.size() && IsWordCharacter(m_line[m_position]))
        word += AsciiUpper(m_line[m_position++]);
    for (size_t i = 0; i < kKeywords.size(); ++i) {
        if (word == QLatin1String(kKeywords[i]))
            return {FormTokenKind::Keyword, word, static_cast<FormKeyword>(i)};
    }
    return {FormTokenKind::Unrecognised, word, FormKeyword::None};
}

FormToken FormScanner::Digits(QChar first)
{
    QString digits(first);
    while (m_position < m_line.size() && IsDigit(m_line[m_position]))
        digits += m_line[m_position++];
    return {FormTokenKind::Number, digits, FormKeyword::None};
}

FormToken FormScanner::String(QChar first)
{
    QString value;
    QChar opening = first;
    for (;;) {
        if (opening == u'\'') {
            const qsizetype closing = m_line.indexOf(u'\'', m_position);
            if (closing < 0) {
                // An apostrophe left open to the end of the line is no string.
                const QString rest = u'\'' + m_line.mid(m_position);
                m_position = m_line.size();
                return {FormTokenKind::Unrecognised, rest, FormKeyword::None};
            }
            value += QStringView(m_line).mid(m_position, closing - m_position);
            m_position = closing + 1;
        } else {
            // Character codes are UTF-16 units; larger numbers keep their
            // low 16 bits, so no run of digits can overflow.
            char16_t code = 0;
            while (m_position < m_line.size() && IsDigit(m_line[m_position])) {
                const int digit = m_line[m_position++].unicode() - u'0';
                code = static_cast<char16_t>((code * 10 + digit) & 0xFFFF);
            }
            value += QChar(code);
        }
        if (m_position >= m_line.size())
            break;
        opening = m_line[m_position];
        if (opening != u'\'' && opening != u'\\')
            break;
        ++m_position;
    }
    return {FormTokenKind::String, value, FormKeyword::None};
}
