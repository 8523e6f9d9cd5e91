#include "reports/export_columns.h"

namespace {

const QChar kEsc(0x1B);

bool EndsName(QChar c)
{
    return c == u'#' || c == u'%' || c == u'&';
}

// The TEXT expression of an element line: after the keyword's four
// characters and the spaces behind them, up to the next space.
QStringView TextExpression(QStringView line)
{
    QStringView rest = line.mid(4);
    qsizetype start = 0;
    while (start < rest.size() && rest[start] == u' ')
        ++start;
    rest = rest.mid(start);
    const qsizetype space = rest.indexOf(u' ');
    return space < 0 ? rest : rest.left(space);
}

void AddNames(QStringView expression, QStringList& names)
{
    for (qsizetype i = expression.indexOf(u'&'); i >= 0;) {
        qsizetype end = i + 1;
        while (end < expression.size() && !EndsName(expression[end]))
            ++end;
        names << expression.mid(i + 1, end - i - 1).toString();
        i = expression.indexOf(u'&', end);
    }
}

} // namespace

ExportColumns::ExportColumns(const QStringList& description)
{
    qsizetype i = 0;
    while (i < description.size() && !description[i].startsWith(QLatin1String("[LINE")))
        ++i;
    for (++i; i < description.size() && !description[i].startsWith(u'['); ++i) {
        if (description[i].startsWith(QLatin1String("TEXT")))
            AddNames(TextExpression(description[i]), m_names);
    }
    m_needles.reserve(m_names.size());
    for (const QString& name : m_names)
        m_needles << u'&' + name + u'=';
}

QString ExportColumns::Cell(QStringView dataLine, int column) const
{
    const QString& needle = m_needles[column];
    const qsizetype at = dataLine.indexOf(needle);
    if (at < 0)
        return QString();
    const qsizetype start = at + needle.size();
    const qsizetype end = dataLine.indexOf(u'&', start);
    QString value = dataLine.mid(start, end < 0 ? -1 : end - start).toString();
    // An "&" inside a value travels as ESC "1"; the table shows it as it is.
    if (value.contains(kEsc))
        value.replace(QString(kEsc) + u'1', QStringLiteral("&"));
    return value;
}
