#include "forms/form_compiler.h"

#include "client/ansi_codec.h"
#include "config/config_text.h"
#include "forms/form_scanner.h"
#include "operator_messages.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>

namespace {

using Kind = FormExpression::Kind;

// Nesting that no hand-written form reaches. Parsing, copying and freeing
// are recursive, so deeper text would only exhaust the stack.
constexpr int kDeepestBlock = 100;
constexpr int kDeepestParentheses = 100;
constexpr int kDeepestExpression = 1000;

constexpr std::array<qint32, 4> kPositionDefaults = {0, 0, 200, 100};
constexpr int kDefaultDigits = 10;
constexpr int kLargestDigits = 255;

QString T(const char* text)
{
    return QString::fromUtf8(text);
}

bool IsStatement(const FormToken& token)
{
    return token.kind == FormTokenKind::Keyword && token.keyword >= FormKeyword::On &&
           token.keyword <= FormKeyword::Dictionary;
}

// The position operands of one statement, defaults already in place.
struct Position
{
    std::array<ExpressionTree, 4> operands;
};

class FormCompiler
{
public:
    FormCompiler(QStringList lines, OperatorMessages& messages)
        : m_scanner(std::move(lines)), m_messages(messages)
    {}

    std::unique_ptr<my_formular> Compile();

private:
    void Advance() { m_token = m_scanner.Next(); }
    bool Is(FormKeyword keyword) const
    {
        return m_token.kind == FormTokenKind::Keyword && m_token.keyword == keyword;
    }
    bool Take(FormKeyword keyword);
    bool Take(FormTokenKind kind);
    void Error(const QString& message);
    bool Expect(FormKeyword keyword, const char* message);
    bool ExpectString(QString& value, const char* message);
    bool StringOperand(QString& value);

    ExpressionTree Expression(bool& failed);
    ExpressionTree Term(bool& failed);
    ExpressionTree Factor(bool& failed);
    ExpressionTree Combine(Kind kind, ExpressionTree left, ExpressionTree right, bool& failed);
    qint32 EvaluatedOr(qint32 fallback);
    int LimitNumber();
    Position ParsePosition(int count);

    void Block(my_formular& parent);
    void Statement(my_formular& parent);
    void Group(my_formular& parent);
    void List(my_formular& parent);
    void Tabs(my_formular& parent);
    void Form(my_formular& parent);
    void Dynamic(my_formular& parent);
    void Label(my_formular& parent, std::unique_ptr<my_label> label);
    void TallField(my_formular& parent, std::unique_ptr<my_tall_field> field);
    void Field(my_formular& parent);
    void Memo(my_formular& parent);
    void Markers(my_formular& parent);
    void Number(my_formular& parent);
    void Spin(my_formular& parent);
    void Date(my_formular& parent);
    void Combo(my_formular& parent);
    void Table(my_formular& parent);
    void Check(my_formular& parent);
    void Button(my_formular& parent);
    void Speed(my_formular& parent);
    void Menu(my_formular& parent);
    void Dictionary(my_formular& parent);

    void ParseComboList(my_combo& combo, const QString& list);

    FormScanner m_scanner;
    OperatorMessages& m_messages;
    FormToken m_token;
    int m_blockDepth = 0;
    int m_parentheses = 0;
};

std::unique_ptr<my_formular> FormCompiler::Compile()
{
    Advance();
    auto root = std::make_unique<my_formular>();
    Block(*root);
    // The end of the text and an unrecognised token share one kind in the
    // original scanner, so neither counts as text left over.
    if (m_token.kind != FormTokenKind::End && m_token.kind != FormTokenKind::Unrecognised)
        Error(T("Pominięty fragment opisu"));
    return root;
}

bool FormCompiler::Take(FormKeyword keyword)
{
    if (!Is(keyword))
        return false;
    Advance();
    return true;
}

bool FormCompiler::Take(FormTokenKind kind)
{
    if (m_token.kind != kind)
        return false;
    Advance();
    return true;
}

void FormCompiler::Error(const QString& message)
{
    m_messages.ShowMessage(message + QStringLiteral(" [jest: ") + m_token.text + u']');
    m_messages.ShowMessage(QStringLiteral("Linia: \"") + m_scanner.currentLine() + u'"');
}

bool FormCompiler::Expect(FormKeyword keyword, const char* message)
{
    if (Take(keyword))
        return true;
    Error(T(message));
    return false;
}

bool FormCompiler::ExpectString(QString& value, const char* message)
{
    if (StringOperand(value))
        return true;
    Error(T(message));
    return false;
}

bool FormCompiler::StringOperand(QString& value)
{
    if (m_token.kind != FormTokenKind::String)
        return false;
    value = m_token.text;
    Advance();
    while (Take(FormTokenKind::Plus)) {
        if (m_token.kind != FormTokenKind::String) {
            Error(T("Spodziewany łańcuch"));
            break;
        }
        value += m_token.text;
        Advance();
    }
    return true;
}

ExpressionTree FormCompiler::Combine(Kind kind, ExpressionTree left, ExpressionTree right,
                                     bool& failed)
{
    if (failed)
        return left;
    if (kind == Kind::Divide && right->Evaluate() == 0) {
        Error(T("Błędne wyrażenie"));
        failed = true;
        return left;
    }
    ExpressionTree combined = FormExpression::Binary(kind, std::move(left), std::move(right));
    if (combined->depth() > kDeepestExpression) {
        Error(T("Błędne wyrażenie"));
        failed = true;
    }
    return combined;
}

ExpressionTree FormCompiler::Expression(bool& failed)
{
    failed = false;
    const bool negative = m_token.kind == FormTokenKind::Minus;
    if (negative || m_token.kind == FormTokenKind::Plus)
        Advance();
    ExpressionTree tree = Term(failed);
    if (negative)
        tree = FormExpression::Negate(std::move(tree));
    while (!failed &&
           (m_token.kind == FormTokenKind::Plus || m_token.kind == FormTokenKind::Minus)) {
        const Kind kind = m_token.kind == FormTokenKind::Plus ? Kind::Add : Kind::Subtract;
        Advance();
        ExpressionTree right = Term(failed);
        tree = Combine(kind, std::move(tree), std::move(right), failed);
    }
    return tree;
}

ExpressionTree FormCompiler::Term(bool& failed)
{
    ExpressionTree tree = Factor(failed);
    while (!failed &&
           (m_token.kind == FormTokenKind::Times || m_token.kind == FormTokenKind::Divide)) {
        const Kind kind = m_token.kind == FormTokenKind::Times ? Kind::Multiply : Kind::Divide;
        Advance();
        ExpressionTree right = Factor(failed);
        tree = Combine(kind, std::move(tree), std::move(right), failed);
    }
    return tree;
}

ExpressionTree FormCompiler::Factor(bool& failed)
{
    if (m_token.kind == FormTokenKind::Number) {
        bool ok = false;
        const qint32 value = m_token.text.toInt(&ok, 10);
        if (!ok) {
            Error(T("Błędne wyrażenie"));
            failed = true;
        }
        Advance();
        return FormExpression::Constant(ok ? value : 0);
    }
    if (m_token.kind == FormTokenKind::LeftParenthesis && m_parentheses < kDeepestParentheses) {
        Advance();
        ++m_parentheses;
        ExpressionTree inner = Expression(failed);
        --m_parentheses;
        if (!failed && !Take(FormTokenKind::RightParenthesis)) {
            Error(T("Brak nawiasu zamykającego"));
            failed = true;
        }
        return inner;
    }
    Error(T("Błędne wyrażenie"));
    failed = true;
    return FormExpression::Constant(0);
}

// Counts and digits are taken at once; a failed expression leaves the default.
qint32 FormCompiler::EvaluatedOr(qint32 fallback)
{
    bool failed = false;
    const ExpressionTree tree = Expression(failed);
    return failed ? fallback : tree->Evaluate();
}

int FormCompiler::LimitNumber()
{
    if (m_token.kind != FormTokenKind::Number) {
        Error(T("Brak wartości dla LIMIT"));
        return 0;
    }
    bool ok = false;
    const int limit = m_token.text.toInt(&ok, 10);
    if (!ok)
        Error(T("Błędne wyrażenie"));
    Advance();
    return ok ? limit : 0;
}

Position FormCompiler::ParsePosition(int count)
{
    Position position;
    for (int i = 0; i < 4; ++i) {
        const size_t slot = static_cast<size_t>(i);
        position.operands[slot] = FormExpression::Constant(kPositionDefaults[slot]);
        if (i >= count)
            continue;
        const bool leading = i == 0 ? Take(FormKeyword::On) : Take(FormTokenKind::Comma);
        if (!leading) {
            Error(T(i == 0 ? "Spodziewany ON" : "Spodziewany przecinek"));
            continue;
        }
        bool failed = false;
        ExpressionTree operand = Expression(failed);
        if (!failed)
            position.operands[slot] = std::move(operand);
    }
    return position;
}

void FormCompiler::Block(my_formular& parent)
{
    if (m_blockDepth >= kDeepestBlock) {
        Error(T("Zbyt głęboko zagnieżdżony opis"));
        return;
    }
    ++m_blockDepth;
    if (!Take(FormKeyword::Begin))
        Error(T("Spodziewany BEGIN"));
    while (IsStatement(m_token)) {
        if (Is(FormKeyword::Multiline)) {
            Error(T("Błędny element opisu ") + m_token.text);
            Advance();
            continue;
        }
        Statement(parent);
    }
    if (!Take(FormKeyword::End))
        Error(T("Spodziewany END"));
    --m_blockDepth;
}

void FormCompiler::Statement(my_formular& parent)
{
    const FormKeyword keyword = m_token.keyword;
    // ON's own keyword leads its position clause; every other statement
    // starts after its keyword.
    if (keyword != FormKeyword::On)
        Advance();
    switch (keyword) {
    case FormKeyword::On:
        return Group(parent);
    case FormKeyword::List:
        return List(parent);
    case FormKeyword::Tabs:
        return Tabs(parent);
    case FormKeyword::Form:
        return Form(parent);
    case FormKeyword::Dynamic:
        return Dynamic(parent);
    case FormKeyword::Label:
        return Label(parent, std::make_unique<my_label>());
    case FormKeyword::No:
        return Label(parent, std::make_unique<my_lp>());
    case FormKeyword::Text:
        return TallField(parent, std::make_unique<my_text>());
    case FormKeyword::Panel:
        return TallField(parent, std::make_unique<my_panel>());
    case FormKeyword::Field:
        return Field(parent);
    case FormKeyword::Memo:
        return Memo(parent);
    case FormKeyword::Markers:
        return Markers(parent);
    case FormKeyword::Number:
        return Number(parent);
    case FormKeyword::Spin:
        return Spin(parent);
    case FormKeyword::Date:
        return Date(parent);
    case FormKeyword::Combo:
        return Combo(parent);
    case FormKeyword::Table:
        return Table(parent);
    case FormKeyword::Check:
        return Check(parent);
    case FormKeyword::Button:
        return Button(parent);
    case FormKeyword::Speed:
        return Speed(parent);
    case FormKeyword::Menu:
        return Menu(parent);
    case FormKeyword::Dictionary:
        return Dictionary(parent);
    default:
        return;
    }
}

void FormCompiler::Group(my_formular& parent)
{
    Position position = ParsePosition(2);
    auto group = std::make_unique<my_formular>();
    group->left = std::move(position.operands[0]);
    group->top = std::move(position.operands[1]);
    Block(*parent.Add(std::move(group)));
}

// Row height = height / rows - 1, from copies of the parsed trees.
ExpressionTree RowHeight(const ExpressionTree& height, const ExpressionTree& rows)
{
    return FormExpression::Binary(
        Kind::Subtract, FormExpression::Binary(Kind::Divide, CloneTree(height), CloneTree(rows)),
        FormExpression::Constant(1));
}

void FormCompiler::List(my_formular& parent)
{
    QString variable;
    if (!ExpectString(variable, "Spodziewana zmienna listy") ||
        !Expect(FormKeyword::Of, "Spodziewane OF"))
        return;
    bool failed = false;
    ExpressionTree rows = Expression(failed);
    Position position = ParsePosition(4);
    auto list = std::make_unique<my_list>();
    list->listVariable = variable;
    list->rowCount = failed ? FormExpression::Constant(1) : std::move(rows);
    list->left = std::move(position.operands[0]);
    list->top = std::move(position.operands[1]);
    list->width = std::move(position.operands[2]);
    list->height = std::move(position.operands[3]);
    list->rowHeight = RowHeight(list->height, list->rowCount);
    Block(*parent.Add(std::move(list)));
}

void FormCompiler::Tabs(my_formular& parent)
{
    Position position = ParsePosition(4);
    auto created = std::make_unique<my_tabs>();
    created->left = std::move(position.operands[0]);
    created->top = std::move(position.operands[1]);
    created->width = std::move(position.operands[2]);
    created->height = std::move(position.operands[3]);
    created->heightCopy = CloneTree(created->height);
    auto& tabs = static_cast<my_tabs&>(*parent.Add(std::move(created)));
    QString title;
    while (StringOperand(title)) {
        tabs.pageTitles << title;
        Block(*tabs.Add(std::make_unique<my_formular>()));
    }
    // The pages built so far stay: the tabs exist once their first page does.
    Expect(FormKeyword::End, "Spodziewany END");
}

void FormCompiler::Form(my_formular& parent)
{
    QString name;
    QString title;
    QString pictureFile;
    if (!ExpectString(name, "Spodziewana nazwa pola") ||
        !Expect(FormKeyword::Mask, "Spodziewane słowo MASK") ||
        !ExpectString(title, "Spodziewana nazwa podformularza"))
        return;
    if (Take(FormKeyword::Speed) && !ExpectString(pictureFile, "Spodziewana nazwa bitmapy"))
        return;
    Position position = ParsePosition(4);
    auto form = std::make_unique<my_form>();
    form->fieldName = name;
    form->title = title;
    if (!pictureFile.isEmpty())
        form->picture = LoadFormPicture(pictureFile);
    form->windowOffsetX = FormExpression::Binary(Kind::Subtract, std::move(position.operands[2]),
                                                 CloneTree(position.operands[0]));
    form->windowOffsetY = FormExpression::Binary(Kind::Subtract, std::move(position.operands[3]),
                                                 CloneTree(position.operands[1]));
    form->left = std::move(position.operands[0]);
    form->top = std::move(position.operands[1]);
    Block(*parent.Add(std::move(form)));
}

void FormCompiler::Dynamic(my_formular& parent)
{
    QString name;
    QString variable;
    if (!ExpectString(name, "Spodziewana nazwa pola") ||
        !Expect(FormKeyword::Of, "Spodziewane słowo OF") ||
        !ExpectString(variable, "Spodziewana zmienna sterująca"))
        return;
    Position position = ParsePosition(4);
    auto created = std::make_unique<my_dynamic>();
    created->fieldName = name;
    created->controlVariable = variable;
    created->left = std::move(position.operands[0]);
    created->top = std::move(position.operands[1]);
    created->width = std::move(position.operands[2]);
    created->height = std::move(position.operands[3]);
    auto& dynamic = static_cast<my_dynamic&>(*parent.Add(std::move(created)));
    QString caseValue;
    while (StringOperand(caseValue)) {
        dynamic.caseValues << caseValue;
        Block(*dynamic.Add(std::make_unique<my_formular>()));
    }
    Expect(FormKeyword::End, "Do DYNAMIC brakuje END");
}

void FormCompiler::Label(my_formular& parent, std::unique_ptr<my_label> label)
{
    if (!ExpectString(label->caption, "Spodziewany łancuch"))
        return;
    Position position = ParsePosition(2);
    label->left = std::move(position.operands[0]);
    label->top = std::move(position.operands[1]);
    parent.Add(std::move(label));
}

void FormCompiler::TallField(my_formular& parent, std::unique_ptr<my_tall_field> field)
{
    if (!ExpectString(field->fieldName, "Spodziewany identyfikator pola"))
        return;
    Position position = ParsePosition(4);
    field->left = std::move(position.operands[0]);
    field->top = std::move(position.operands[1]);
    field->width = std::move(position.operands[2]);
    field->height = std::move(position.operands[3]);
    parent.Add(std::move(field));
}

// Places a one-line field from a three-operand clause.
void PlaceLine(my_value_field& field, Position& position)
{
    field.left = std::move(position.operands[0]);
    field.top = std::move(position.operands[1]);
    field.width = std::move(position.operands[2]);
}

void PlaceTall(my_tall_field& field, Position& position)
{
    PlaceLine(field, position);
    field.height = std::move(position.operands[3]);
}

void FormCompiler::Field(my_formular& parent)
{
    QString name;
    if (!ExpectString(name, "Spodziewany identyfikator pola"))
        return;
    if (Take(FormKeyword::Mask)) {
        auto mask = std::make_unique<my_mask>();
        if (!ExpectString(mask->editMask, "Spodziewana maska edycji"))
            return;
        Position position = ParsePosition(3);
        mask->fieldName = name;
        PlaceLine(*mask, position);
        parent.Add(std::move(mask));
        return;
    }
    auto edit = std::make_unique<my_lineedit>();
    edit->fieldName = name;
    if (Take(FormKeyword::Limit))
        edit->maxLength = LimitNumber();
    edit->password = Take(FormKeyword::Password);
    Position position = ParsePosition(3);
    PlaceLine(*edit, position);
    parent.Add(std::move(edit));
}

void FormCompiler::Memo(my_formular& parent)
{
    auto memo = std::make_unique<my_memo>();
    if (!ExpectString(memo->fieldName, "Spodziewany identyfikator pola"))
        return;
    memo->multiLine = Take(FormKeyword::Multiline);
    if (Take(FormKeyword::Limit))
        memo->maxLength = LimitNumber();
    Position position = ParsePosition(4);
    PlaceTall(*memo, position);
    parent.Add(std::move(memo));
}

void FormCompiler::Markers(my_formular& parent)
{
    auto markers = std::make_unique<my_markedit>();
    if (!ExpectString(markers->fieldName, "Spodziewany identyfikator pola") ||
        !Expect(FormKeyword::Mask, "Spodziewane słowo MASK") ||
        !ExpectString(markers->markers, "Spodziewana specyfikacja znaczników"))
        return;
    Position position = ParsePosition(4);
    PlaceTall(*markers, position);
    parent.Add(std::move(markers));
}

QString NumberEditMask(int digits, int decimals, bool isSigned)
{
    const QString prefix = isSigned ? QStringLiteral("#") : QString();
    const auto nines = [](qsizetype count) { return QString(std::max<qsizetype>(count, 0), u'9'); };
    const qsizetype width = digits - prefix.size();
    const QString body =
        decimals != 0 ? nines(width - decimals - 1) + u',' + nines(decimals) : nines(width);
    return prefix + body + QStringLiteral(";0; ");
}

quint8 DigitCount(qint32 value)
{
    const qint64 magnitude = value < 0 ? -qint64{value} : qint64{value};
    return static_cast<quint8>(std::min<qint64>(magnitude, kLargestDigits));
}

void FormCompiler::Number(my_formular& parent)
{
    auto number = std::make_unique<my_number>();
    if (!ExpectString(number->fieldName, "Spodziewany identyfikator pola") ||
        !Expect(FormKeyword::Mask, "Spodziewane słowo MASK"))
        return;
    number->isSigned = Take(FormKeyword::Signed);
    number->digits = DigitCount(EvaluatedOr(kDefaultDigits));
    if (Take(FormTokenKind::Comma)) {
        const qint32 decimals = EvaluatedOr(0);
        number->decimals = static_cast<quint8>(std::clamp(decimals, 0, kLargestDigits));
    }
    number->editMask = NumberEditMask(number->digits, number->decimals, number->isSigned);
    Position position = ParsePosition(3);
    PlaceLine(*number, position);
    parent.Add(std::move(number));
}

void FormCompiler::Spin(my_formular& parent)
{
    auto spin = std::make_unique<my_spin>();
    if (!ExpectString(spin->fieldName, "Spodziewany identyfikator pola") ||
        !Expect(FormKeyword::Mask, "Spodziewane słowo MASK"))
        return;
    spin->digits = EvaluatedOr(kDefaultDigits);
    if (Take(FormKeyword::Limit)) {
        const qint32 first = EvaluatedOr(spin->maximum);
        if (Take(FormTokenKind::Comma)) {
            spin->minimum = first;
            spin->maximum = EvaluatedOr(spin->maximum);
        } else {
            spin->maximum = first;
        }
    }
    Position position = ParsePosition(3);
    PlaceLine(*spin, position);
    parent.Add(std::move(spin));
}

void FormCompiler::Date(my_formular& parent)
{
    auto date = std::make_unique<my_date>();
    if (!ExpectString(date->fieldName, "Spodziewany identyfikator pola"))
        return;
    Position position = ParsePosition(3);
    PlaceLine(*date, position);
    parent.Add(std::move(date));
}

void FormCompiler::ParseComboList(my_combo& combo, const QString& list)
{
    if (list.isEmpty()) {
        combo.values << QString();
        combo.labels << QStringLiteral("*");
        m_messages.ShowMessage(T("Brak listy wartości pola ") + combo.fieldName);
        return;
    }
    const QStringView text(list);
    qsizetype position = 0;
    while (position < text.size()) {
        const qsizetype valueEnd = text.indexOf(u'|', position);
        const qsizetype labelEnd = valueEnd < 0 ? -1 : text.indexOf(u'|', valueEnd + 1);
        const qsizetype cut = valueEnd < 0 ? text.size() : valueEnd;
        combo.values << text.mid(position, cut - position).toString().replace(u'~', u'|');
        if (labelEnd < 0) {
            combo.labels << QStringLiteral("*");
            m_messages.ShowMessage(T("Błąd pola COMBO: ") + combo.fieldName);
            return;
        }
        const QString label = text.mid(valueEnd + 1, labelEnd - valueEnd - 1).toString();
        combo.labels << (label.isEmpty() ? QStringLiteral("*") : label);
        position = labelEnd + 1;
    }
}

void FormCompiler::Combo(my_formular& parent)
{
    auto combo = std::make_unique<my_combo>();
    QString list;
    if (!ExpectString(combo->fieldName, "Spodziewany identyfikator pola") ||
        !Expect(FormKeyword::Mask, "Spodziewane słowo MASK") ||
        !ExpectString(list, "Spodziewana lista dozwolonych wartości"))
        return;
    Position position = ParsePosition(3);
    PlaceLine(*combo, position);
    ParseComboList(*combo, list);
    parent.Add(std::move(combo));
}

void ParseTableColumns(my_table& table, const QString& columns)
{
    QStringList items = columns.split(u'|');
    if (columns.endsWith(u'|'))
        items.removeLast();
    for (qsizetype i = 0; i < items.size(); i += 4) {
        table.columnWidths.push_back(items.value(i).trimmed().toInt());
        table.headers << items.value(i + 1).trimmed();
        table.cellNames << items.value(i + 2).trimmed();
        table.fourthItems << items.value(i + 3).trimmed();
    }
}

void FormCompiler::Table(my_formular& parent)
{
    auto table = std::make_unique<my_table>();
    QString columns;
    if (!ExpectString(table->rowVariable, "Spodziewana zmienna wierszy") ||
        !Expect(FormKeyword::Of, "Spodziewane OF"))
        return;
    bool failed = false;
    ExpressionTree rows = Expression(failed);
    if (!Expect(FormKeyword::Mask, "Spodziewane słowo MASK") ||
        !ExpectString(columns, "Spodziewana specyfikacja kolumn tabeli"))
        return;
    Position position = ParsePosition(4);
    table->rowCount = failed ? FormExpression::Constant(1) : std::move(rows);
    table->left = std::move(position.operands[0]);
    table->top = std::move(position.operands[1]);
    table->width = std::move(position.operands[2]);
    table->height = std::move(position.operands[3]);
    table->rowHeight = RowHeight(table->height, table->rowCount);
    ParseTableColumns(*table, columns);
    parent.Add(std::move(table));
}

void FormCompiler::Check(my_formular& parent)
{
    auto check = std::make_unique<my_check>();
    if (!ExpectString(check->fieldName, "Spodziewany identyfikator pola") ||
        !Expect(FormKeyword::Mask, "Spodziewane słowo MASK") ||
        !ExpectString(check->caption, "Spodziewany napis"))
        return;
    Position position = ParsePosition(3);
    PlaceLine(*check, position);
    parent.Add(std::move(check));
}

void FormCompiler::Button(my_formular& parent)
{
    auto button = std::make_unique<my_button>();
    if (!ExpectString(button->fieldName, "Spodziewany identyfikator pola") ||
        !Expect(FormKeyword::Mask, "Spodziewane słowo MASK") ||
        !ExpectString(button->caption, "Spodziewany napis"))
        return;
    button->isDefault = Take(FormKeyword::Default);
    Position position = ParsePosition(4);
    PlaceTall(*button, position);
    parent.Add(std::move(button));
}

void FormCompiler::Speed(my_formular& parent)
{
    auto speed = std::make_unique<my_speed>();
    QString pictureFile;
    if (!ExpectString(speed->fieldName, "Spodziewany identyfikator pola") ||
        !Expect(FormKeyword::Mask, "Spodziewane słowo MASK") ||
        !ExpectString(pictureFile, "Spodziewany napis"))
        return;
    Position position = ParsePosition(4);
    PlaceTall(*speed, position);
    speed->picture = LoadFormPicture(pictureFile);
    parent.Add(std::move(speed));
}

void FormCompiler::Menu(my_formular& parent)
{
    auto menu = std::make_unique<my_menu>();
    if (!ExpectString(menu->menuText, "Spodziewany identyfikator pola"))
        return;
    if (Take(FormKeyword::Label)) {
        if (!ExpectString(menu->caption, "Spodziewany napis"))
            return;
        Position position = ParsePosition(2);
        menu->left = std::move(position.operands[0]);
        menu->top = std::move(position.operands[1]);
        menu->width = FormExpression::Constant(0);
        menu->height = FormExpression::Constant(20);
    } else if (Take(FormKeyword::Mask)) {
        QString pictureFile;
        if (!ExpectString(pictureFile, "Spodziewana nazwa pliku graficznego"))
            return;
        Position position = ParsePosition(4);
        PlaceTall(*menu, position);
        menu->picture = LoadFormPicture(pictureFile);
    } else {
        Error(T("Spodziewane słowo MASK lub LABEL"));
        return;
    }
    parent.Add(std::move(menu));
}

void FormCompiler::Dictionary(my_formular& parent)
{
    auto dictionary = std::make_unique<my_KHW>();
    if (!ExpectString(dictionary->fieldName, "Spodziewany identyfikator pola"))
        return;
    Position position = ParsePosition(3);
    PlaceLine(*dictionary, position);
    parent.Add(std::move(dictionary));
}

} // namespace

std::unique_ptr<my_formular> CompileFormText(const QString& text, OperatorMessages& messages)
{
    return FormCompiler(SplitConfigLines(text).lines, messages).Compile();
}

std::unique_ptr<my_formular> CompileForm(const QString& fileName, OperatorMessages& messages)
{
    QFile file(fileName);
    if (QFileInfo(fileName).isDir() || !file.open(QIODevice::ReadOnly)) {
        messages.ShowMessage(QStringLiteral("Brak pliku \"") + fileName + u'"');
        return nullptr;
    }
    return CompileFormText(DecodeAnsi(file.readAll()), messages);
}
