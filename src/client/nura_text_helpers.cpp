#include "client/nura_text_helpers.h"

#include "client/nura_client.h"

QString GetParam(const QString& serverDescription, const QString& key)
{
    const QString marker = QLatin1Char('&') + key + QLatin1Char('=');
    const qsizetype at = serverDescription.indexOf(marker);
    if (at < 0)
        return QString();
    const qsizetype start = at + marker.size();
    const qsizetype end = serverDescription.indexOf(QLatin1Char('&'), start);
    return serverDescription.mid(start, end < 0 ? -1 : end - start);
}

QString GetParam(const TNuraClient& client, const QString& key)
{
    return GetParam(client.ServerDescription(), key);
}

QString NextToken(QString& text, QChar separator)
{
    const qsizetype at = text.indexOf(separator);
    QString token;
    if (at < 0) {
        token = TrimSpaces(text);
        text.clear();
    } else {
        token = TrimSpaces(text.left(at));
        text.remove(0, at + 1);
    }
    return token;
}

QString TrimSpaces(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

QString ZeroPadded(quint16 value, int width)
{
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

QString DateFromToday(int days, QDate today)
{
    return today.addDays(days).toString(QStringLiteral("yyyyMMdd"));
}

QString DateDisplay(const QString& yyyymmdd)
{
    return yyyymmdd.mid(6, 2) + QLatin1Char('.') + yyyymmdd.mid(4, 2) + QLatin1Char('.') +
           yyyymmdd.left(4);
}

QString Join(const QString& a, const QString& separator, const QString& b)
{
    if (a.isEmpty())
        return b;
    if (b.isEmpty())
        return a;
    return a + separator + b;
}
