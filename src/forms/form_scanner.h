#pragma once

#include <QString>
#include <QStringList>

// The words of the form language, in the order the scanner looks them up.
// The statements are the run from On to Dictionary.
enum class FormKeyword
{
    Begin,
    End,
    Procedure,
    On,
    List,
    Tabs,
    Form,
    Dynamic,
    Label,
    No,
    Text,
    Panel,
    Field,
    Memo,
    Multiline,
    Markers,
    Number,
    Spin,
    Date,
    Combo,
    Table,
    Check,
    Button,
    Speed,
    Menu,
    Dictionary,
    Mask,
    Of,
    Signed,
    Default,
    Password,
    Limit,
    None
};

enum class FormTokenKind
{
    Keyword,
    Number,
    String,
    Plus,
    Minus,
    Times,
    Divide,
    LeftParenthesis,
    RightParenthesis,
    Comma,
    End,
    Unrecognised
};

struct FormToken
{
    FormTokenKind kind = FormTokenKind::End;
    // What error messages quote: the word in capitals, the digits, the
    // string's value, or the character.
    QString text;
    FormKeyword keyword = FormKeyword::None;
};

// Splits a form description into tokens, one at a time. Words are
// case-insensitive; ";" comments run to the end of the line and "{ }"
// comments may span lines.
class FormScanner
{
public:
    explicit FormScanner(QStringList lines) : m_lines(std::move(lines)) {}

    FormToken Next();
    // The line the scanner is in, for error messages.
    const QString& currentLine() const { return m_line; }

private:
    FormToken Word(QChar first);
    FormToken Digits(QChar first);
    FormToken String(QChar first);

    QStringList m_lines;
    qsizetype m_nextLine = 0;
    QString m_line;
    qsizetype m_position = 0;
    bool m_braceComment = false;
    bool m_lineComment = false;
};
