#include "app/reading_room_caption.h"

QString BranchLabel(const QString& placowka, qint16 agendaNumber)
{
    if (!placowka.isEmpty())
        return placowka;
    if (agendaNumber != 0)
        return QString::number(agendaNumber);
    return QString();
}

QString CaptionWithBranch(const QString& caption, const QString& label)
{
    if (label.isEmpty())
        return caption;
    return caption + QStringLiteral(" [") + label + QLatin1Char(']');
}

QString LayoutCaption(const QString& name, const QString& currentCaption, const QDate& today)
{
    // A named room replaces the whole caption, branch label included.
    const QString& front = name.isEmpty() ? currentCaption : name;
    return front + QStringLiteral(" - ") + today.toString(QStringLiteral("dd.MM.yyyy"));
}

QString ButtonCaption(const QString& name, qint32 count)
{
    return name + QStringLiteral(" (") + QString::number(count) + QLatin1Char(')');
}
