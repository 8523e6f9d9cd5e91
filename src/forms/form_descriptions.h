#pragma once

#include "forms/form_expression.h"
#include "forms/form_picture.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// The compiled form: a tree of field descriptions, one per statement. The
// tree is read-only once compiled; editors are built from it and the value
// names come from it. Positions are relative to the container.
class my_formular
{
public:
    my_formular() = default;
    my_formular(const my_formular&) = delete;
    my_formular& operator=(const my_formular&) = delete;
    virtual ~my_formular() = default;

    ExpressionTree left;
    ExpressionTree top;
    std::vector<std::unique_ptr<my_formular>> children;

    my_formular* Add(std::unique_ptr<my_formular> child);

    virtual QString ClassName() const { return QStringLiteral("my_formular"); }
    // The names, after `substitutions`, of every value the description edits.
    virtual QStringList FieldNames(const QString& substitutions) const;
    // The descriptions that hold a value.
    virtual std::vector<const my_formular*> ValueFields() const;
    virtual int RightExtent() const;
    virtual int BottomExtent() const;

    // For listings: the field name template (empty when there is none) and
    // the size, absent where the class has no such member.
    virtual QString FieldNameTemplate() const { return QString(); }
    virtual const FormExpression* WidthTree() const { return nullptr; }
    virtual const FormExpression* HeightTree() const { return nullptr; }
};

// LABEL: a fixed caption.
class my_label : public my_formular
{
public:
    QString caption;
    QString ClassName() const override { return QStringLiteral("my_label"); }
    QStringList FieldNames(const QString&) const override { return {}; }
    std::vector<const my_formular*> ValueFields() const override { return {}; }
    int RightExtent() const override;
    int BottomExtent() const override;
};

// NO: a caption template, substituted, so it shows the row number.
class my_lp : public my_label
{
public:
    QString ClassName() const override { return QStringLiteral("my_lp"); }
};

// Common part of the descriptions that hold one value under one name.
class my_value_field : public my_formular
{
public:
    QString fieldName;
    ExpressionTree width;
    QStringList FieldNames(const QString& substitutions) const override;
    std::vector<const my_formular*> ValueFields() const override { return {this}; }
    int RightExtent() const override;
    // Single-line fields are 20 high.
    int BottomExtent() const override;
    QString FieldNameTemplate() const override { return fieldName; }
    const FormExpression* WidthTree() const override { return width.get(); }
};

// Fields with a height of their own.
class my_tall_field : public my_value_field
{
public:
    ExpressionTree height;
    int BottomExtent() const override;
    const FormExpression* HeightTree() const override { return height.get(); }
};

class my_text : public my_tall_field
{
public:
    QString ClassName() const override { return QStringLiteral("my_text"); }
};

class my_panel : public my_tall_field
{
public:
    QString ClassName() const override { return QStringLiteral("my_panel"); }
};

class my_lineedit : public my_value_field
{
public:
    int maxLength = 0;
    bool password = false;
    QString ClassName() const override { return QStringLiteral("my_lineedit"); }
};

class my_KHW : public my_lineedit
{
public:
    QString ClassName() const override { return QStringLiteral("my_KHW"); }
};

class my_mask : public my_value_field
{
public:
    QString editMask;
    QString ClassName() const override { return QStringLiteral("my_mask"); }
};

class my_date : public my_mask
{
public:
    my_date() { editMask = QStringLiteral("99.99.9999;0; "); }
    QString ClassName() const override { return QStringLiteral("my_date"); }
};

class my_number : public my_mask
{
public:
    quint8 digits = 10;
    quint8 decimals = 0;
    bool isSigned = false;
    QString ClassName() const override { return QStringLiteral("my_number"); }
};

class my_spin : public my_value_field
{
public:
    int digits = 10;
    int minimum = 1;
    int maximum = 10000;
    QString ClassName() const override { return QStringLiteral("my_spin"); }
};

class my_check : public my_value_field
{
public:
    QString caption;
    QString ClassName() const override { return QStringLiteral("my_check"); }
};

class my_memo : public my_tall_field
{
public:
    int maxLength = 0;
    bool multiLine = false;
    QString ClassName() const override { return QStringLiteral("my_memo"); }
};

class my_markedit : public my_tall_field
{
public:
    QString markers;
    QString ClassName() const override { return QStringLiteral("my_markedit"); }
    // Zero height means one line.
    int BottomExtent() const override;
};

class my_combo : public my_value_field
{
public:
    QStringList values;
    QStringList labels;
    QString ClassName() const override { return QStringLiteral("my_combo"); }
};

// Buttons, speed buttons and menus hold no value; their names only raise
// actions.
class my_action : public my_tall_field
{
public:
    QStringList FieldNames(const QString&) const override { return {}; }
    std::vector<const my_formular*> ValueFields() const override { return {}; }
};

class my_button : public my_action
{
public:
    QString caption;
    bool isDefault = false;
    QString ClassName() const override { return QStringLiteral("my_button"); }
};

class my_speed : public my_action
{
public:
    FormPicture picture;
    QString ClassName() const override { return QStringLiteral("my_speed"); }
};

class my_menu : public my_action
{
public:
    QString caption;
    FormPicture picture;
    // The pairs name "|" caption "|" (see ParseMenuText).
    QString menuText;
    QString ClassName() const override { return QStringLiteral("my_menu"); }
};

// The containers with a size of their own: the children do not count in
// their extents.
class my_sized_container : public my_formular
{
public:
    ExpressionTree width;
    ExpressionTree height;
    int RightExtent() const override;
    int BottomExtent() const override;
    const FormExpression* WidthTree() const override { return width.get(); }
    const FormExpression* HeightTree() const override { return height.get(); }
};

class my_list : public my_sized_container
{
public:
    QString listVariable;
    ExpressionTree rowCount;
    ExpressionTree rowHeight;
    QString ClassName() const override { return QStringLiteral("my_list"); }
    QStringList FieldNames(const QString& substitutions) const override;
    // The scroll bar adds 20.
    int RightExtent() const override;
    QString FieldNameTemplate() const override { return listVariable; }
};

class my_table : public my_sized_container
{
public:
    QString rowVariable;
    ExpressionTree rowCount;
    ExpressionTree rowHeight;
    std::vector<int> columnWidths;
    QStringList headers;
    QStringList cellNames;
    QStringList fourthItems;
    QString ClassName() const override { return QStringLiteral("my_table"); }
    // Every cell, column by column, rows from 1.
    QStringList FieldNames(const QString& substitutions) const override;
    std::vector<const my_formular*> ValueFields() const override { return {this}; }
    QString FieldNameTemplate() const override { return rowVariable; }
};

class my_tabs : public my_sized_container
{
public:
    ExpressionTree heightCopy;
    QStringList pageTitles;
    QString ClassName() const override { return QStringLiteral("my_tabs"); }
};

class my_form : public my_formular
{
public:
    FormPicture picture;
    ExpressionTree windowOffsetX;
    ExpressionTree windowOffsetY;
    QString fieldName;
    QString title;
    QString ClassName() const override { return QStringLiteral("my_form"); }
    // A 20 by 20 button stands for the subform.
    int RightExtent() const override;
    int BottomExtent() const override;
    QString FieldNameTemplate() const override { return fieldName; }
};

class my_dynamic : public my_sized_container
{
public:
    QString fieldName;
    QString controlVariable;
    QStringList caseValues;
    QString ClassName() const override { return QStringLiteral("my_dynamic"); }
    QStringList FieldNames(const QString& substitutions) const override;
    QString FieldNameTemplate() const override { return fieldName; }
};

// Rows of a table past this are never named: counts come from descriptions,
// and a mistyped count must not make millions of names.
inline constexpr int kLastTableRow = 999;

// One entry of a MENU: an item with a name raises its action; an item without
// a name is a submenu of `items`.
struct FormMenuItem
{
    QString name;
    QString caption;
    std::vector<FormMenuItem> items;
};

std::vector<FormMenuItem> ParseMenuText(const QString& menuText);
