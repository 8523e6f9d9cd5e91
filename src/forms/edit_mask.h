#pragma once

#include <QString>

#include <vector>

// A field's edit mask as the form language writes it: the mask, then ";"
// and "0" when the mask's literal characters are not part of the value,
// then ";" and the character that shows an empty position. In the mask "0"
// is a digit that must be typed, "9" one that may, "#" a digit or sign,
// "L"/"l" a letter, "A"/"a" a letter or digit, "C"/"c" any character (upper
// case: must be typed); ">" and "<" switch to upper and lower case, "<>"
// back to as typed, "\" makes the next character a literal, and anything
// else is a literal.
class EditMask
{
public:
    explicit EditMask(const QString& text);

    // The same mask for a line edit's input mask.
    QString InputMask() const { return m_inputMask; }
    // What the record keeps of the text a control shows (one character a
    // position, empty positions shown as spaces): the typed characters, the
    // literals too when the mask keeps them, trailing spaces removed.
    QString ValueOfShown(const QString& shown) const;
    // The text to show for a value: its characters fill the typed positions
    // in order (the literal positions too when the mask keeps them), the
    // rest stay empty.
    QString ShownOfValue(const QString& value) const;

private:
    struct Position
    {
        bool literal = false;
        QChar character; // the literal
    };
    std::vector<Position> m_positions;
    bool m_keepsLiterals = true;
    QChar m_blank = QChar(u'_');
    QString m_inputMask;
};
