#include "forms/form_value_formats.h"

#include <algorithm>
#include <atomic>

namespace {

std::atomic<char16_t> g_decimalSeparator{u'.'};

// Counts come from form descriptions; a field wider than this is a mistake
// in the description, and padding to it would only waste memory.
constexpr int kWidestField = 255;

QString WithoutSpaces(QString text)
{
    return text.remove(u' ');
}

QString TrimmedRight(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ')
        --end;
    return text.left(end);
}

qsizetype PadWidth(int width)
{
    return std::clamp(width, 0, kWidestField);
}

} // namespace

QChar NumberDecimalSeparator()
{
    return QChar(g_decimalSeparator.load());
}

void SetNumberDecimalSeparator(QChar separator)
{
    g_decimalSeparator.store(separator.unicode());
}

QString DateStoredToMask(const QString& stored)
{
    return stored.mid(6, 2) + stored.mid(4, 2) + stored.mid(0, 4);
}

QString DateMaskToStored(const QString& maskText)
{
    const QString text = TrimmedRight(maskText);
    if (text.isEmpty())
        return QString();
    const QString padded = text.leftJustified(8, u' ');
    return padded.mid(4) + padded.mid(2, 2) + padded.mid(0, 2);
}

QString NumberMaskToStored(const QString& maskText, int digits, int decimals)
{
    const QChar separator = NumberDecimalSeparator();
    if (decimals <= 0)
        return WithoutSpaces(maskText).rightJustified(PadWidth(digits), u' ');
    const qsizetype integerWidth = PadWidth(digits - decimals - 1);
    QString integerPart;
    QString fraction;
    if (maskText.size() > integerWidth) {
        integerPart = WithoutSpaces(maskText.left(integerWidth));
        fraction = WithoutSpaces(maskText.mid(integerWidth, PadWidth(decimals)));
        fraction = fraction.leftJustified(PadWidth(decimals), u'0');
    } else {
        integerPart = WithoutSpaces(maskText);
        fraction = QString(PadWidth(decimals), u'0');
    }
    return integerPart.rightJustified(integerWidth, u' ') + separator + fraction;
}

QString NumberStoredToMask(const QString& stored, int digits, int decimals, bool isSigned)
{
    const QString trimmed = stored.trimmed();
    QString shown;
    if (isSigned && trimmed.startsWith(u'-'))
        shown = u'-' + trimmed.mid(1).rightJustified(PadWidth(digits - 1), u' ');
    else
        shown = trimmed.rightJustified(PadWidth(digits), u' ');
    if (decimals > 0)
        shown.remove(NumberDecimalSeparator());
    return shown;
}

// The stored text is right-aligned: its sign comes after the leading spaces.
bool NumberIsNegative(const QString& stored)
{
    return stored.trimmed().startsWith(u'-');
}

QString FormatSpinValue(qint64 value, int digits)
{
    return QString::number(value).rightJustified(PadWidth(digits), u' ');
}

qint64 SpinValueOf(const QString& stored, qint64 minimum, qint64 maximum)
{
    bool ok = false;
    const qint64 value = stored.trimmed().toLongLong(&ok, 10);
    if (ok)
        return value;
    return minimum < 0 && maximum >= 0 ? 0 : minimum;
}

QString CheckStoredValue(bool ticked)
{
    return ticked ? QStringLiteral("T") : QStringLiteral("F");
}

bool CheckIsTicked(const QString& stored)
{
    return stored == QStringLiteral("T");
}

int ComboChoiceIndex(const QStringList& values, const QString& stored)
{
    const qsizetype index = values.indexOf(stored);
    return index < 0 ? 0 : static_cast<int>(index);
}

QString MemoTextToStored(const QString& text)
{
    QString stored = text;
    const QString escape = QStringLiteral("\x1b/");
    stored.replace(QStringLiteral("\r\n"), escape);
    // Qt's editors break lines with a bare LF; it is the same line break.
    stored.replace(u'\n', escape);
    stored.replace(u'\r', escape);
    return stored;
}

QString MemoStoredToText(const QString& stored, const QString& lineBreak)
{
    QString text = stored;
    return text.replace(QStringLiteral("\x1b/"), lineBreak);
}

QString RemoveControlCharacters(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (QChar c : text) {
        if (c.unicode() >= 32)
            result += c;
    }
    return result;
}

std::vector<DynamicInstance> ParseDynamicInstances(const QString& stored)
{
    QStringList items = stored.split(u'|');
    // The last "|" ends the last item rather than starting an empty one.
    if (stored.endsWith(u'|'))
        items.removeLast();
    std::vector<DynamicInstance> instances;
    for (qsizetype i = 0; i < items.size(); i += 3) {
        // A cut-off instance keeps what it has, with empty items after it.
        instances.push_back({items.value(i), items.value(i + 1), items.value(i + 2)});
    }
    return instances;
}

QString WriteDynamicInstances(const std::vector<DynamicInstance>& instances)
{
    QString text;
    for (const DynamicInstance& instance : instances)
        text += instance.caseValue + u'|' + instance.id + u'|' + instance.flag + u'|';
    return text;
}
