#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

#include <vector>

// How each kind of field keeps its value in the record, and how that text
// maps to what its control shows.

// The decimal separator of stored NUMBER values: "." normally, "," while the
// parameter window runs. Process-wide, like the window that switches it.
QChar NumberDecimalSeparator();
void SetNumberDecimalSeparator(QChar separator);

// DATE: stored as YYYYMMDD, shown through the mask "99.99.9999;0; ".
// The eight characters put into the mask (day, month, year).
QString DateStoredToMask(const QString& stored);
// The mask's text (digits only) back to the stored form; empty stays empty,
// a short text is padded with spaces before it is reordered.
QString DateMaskToStored(const QString& maskText);

// NUMBER with `digits` characters in all and `decimals` after the separator.
// The mask's text without its literal comma, to the stored text.
QString NumberMaskToStored(const QString& maskText, int digits, int decimals);
// The stored text to what is put into the mask.
QString NumberStoredToMask(const QString& stored, int digits, int decimals, bool isSigned);
// Negative values are shown in red.
bool NumberIsNegative(const QString& stored);

// SPIN: the integer right-aligned in `digits` characters, never cut.
QString FormatSpinValue(qint64 value, int digits);
// The stored text read as an integer, or the minimum when it is no number
// (0 when the range spans zero from below).
qint64 SpinValueOf(const QString& stored, qint64 minimum, qint64 maximum);

// CHECK: "T" or "F"; ticked exactly for "T".
QString CheckStoredValue(bool ticked);
bool CheckIsTicked(const QString& stored);

// COMBO: the index of the entry `stored` names, or 0 (the first entry) when
// it names none.
int ComboChoiceIndex(const QStringList& values, const QString& stored);

// MEMO with several lines keeps its line breaks as ESC "/".
QString MemoTextToStored(const QString& text);
QString MemoStoredToText(const QString& stored, const QString& lineBreak);
// One-line memos and marker fields drop control characters when committed.
QString RemoveControlCharacters(const QString& text);

// DYNAMIC: instances written as case value, id and flag, each item followed
// by "|". Flag "U" gives the instance a delete button.
struct DynamicInstance
{
    QString caseValue;
    QString id;
    QString flag;
};
std::vector<DynamicInstance> ParseDynamicInstances(const QString& stored);
QString WriteDynamicInstances(const std::vector<DynamicInstance>& instances);
