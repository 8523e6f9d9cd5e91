#include "forms/date_validation.h"

#include "forms/form_record.h"

#include <QDate>

namespace {

int DigitsValue(QStringView digits)
{
    int value = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

} // namespace

QString DateValueError(const QString& stored)
{
    if (stored.isEmpty())
        return QString();
    if (stored.size() != 8 || stored.contains(u' '))
        return QString::fromUtf8("Data powinna mieć postać DD.MM.RRRR");
    const QStringView view(stored);
    const int year = DigitsValue(view.mid(0, 4));
    const int month = DigitsValue(view.mid(4, 2));
    const int day = DigitsValue(view.mid(6, 2));
    if (year > 0 && QDate(year, month, day).isValid())
        return QString();
    const QString shown = stored.mid(6, 2) + u'.' + stored.mid(4, 2) + u'.' + stored.mid(0, 4);
    return QString::fromUtf8("Błędna data ") + u'"' + shown + u'"';
}

bool ValidateDateField(my_record& record, const QString& fieldName)
{
    const QString error = DateValueError(record.Value(fieldName));
    if (error.isEmpty())
        return true;
    record.AddError(error, fieldName);
    return false;
}
