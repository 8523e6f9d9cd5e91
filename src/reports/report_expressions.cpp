#include "reports/report_expressions.h"

#include "config/ini_file.h"
#include "operator_messages.h"

#include <QLocale>

#include <optional>

ReportConversionError::ReportConversionError(QString text)
    : m_text(std::move(text)), m_utf8(m_text.toUtf8())
{}

const char* ReportConversionError::what() const noexcept
{
    return m_utf8.constData();
}

SiteValues ReadSiteValues(const IniFile& configuration)
{
    const QString section = QStringLiteral("INSTALACJA");
    SiteValues site;
    site.name = configuration.ReadString(section, QStringLiteral("nazwa"), QString());
    site.label1 = configuration.ReadString(section, QStringLiteral("etykieta1"), QString());
    site.label2 = configuration.ReadString(section, QStringLiteral("etykieta2"), QString());
    return site;
}

QStringView FieldValue(QStringView dataLine, QStringView name)
{
    // Values never hold "&" (it travels as ESC "1"), so every "&" begins a
    // field and a match cannot start inside a value.
    for (qsizetype at = dataLine.indexOf(u'&'); at >= 0; at = dataLine.indexOf(u'&', at + 1)) {
        const qsizetype nameEnd = at + 1 + name.size();
        if (nameEnd >= dataLine.size() || dataLine.at(nameEnd) != u'=' ||
            dataLine.sliced(at + 1, name.size()) != name)
            continue;
        const qsizetype valueStart = nameEnd + 1;
        const qsizetype valueEnd = dataLine.indexOf(u'&', valueStart);
        return dataLine.sliced(valueStart,
                               (valueEnd < 0 ? dataLine.size() : valueEnd) - valueStart);
    }
    return {};
}

QString FieldText(QStringView dataLine, QStringView name)
{
    QString text = FieldValue(dataLine, name).toString();
    text.replace(QLatin1String("\x1b"
                               "1"),
                 QLatin1String("&"));
    return text;
}

int PlainInteger(QStringView text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok) {
        throw ReportConversionError(QLatin1Char('\'') + text.toString() +
                                    QStringLiteral("' nie jest liczbą całkowitą"));
    }
    return value;
}

int EvalNumber(QStringView word, QStringView dataLine)
{
    if (!word.startsWith(u'&'))
        return PlainInteger(word);
    const QStringView value = FieldValue(dataLine, word.sliced(1));
    return value.isNull() ? 0 : PlainInteger(value);
}

namespace {

// Where a "#text" or "&field" token ends: before the next token start.
qsizetype TokenEnd(QStringView expression, qsizetype from)
{
    for (qsizetype i = from; i < expression.size(); ++i) {
        const QChar c = expression.at(i);
        if (c == u'#' || c == u'%' || c == u'&')
            return i;
    }
    return expression.size();
}

QDateTime Now(const MacroContext& context)
{
    return context.now.isValid() ? context.now : QDateTime::currentDateTime();
}

QString SiteText(const MacroContext& context, QChar which)
{
    if (!context.site)
        return {};
    if (which == u'0')
        return context.site->name;
    return which == u'1' ? context.site->label1 : context.site->label2;
}

// The text of a "%" token; nothing for an unknown letter.
std::optional<QString> PercentToken(QChar letter, const MacroContext& context)
{
    switch (letter.unicode()) {
    case u'%':
        return QStringLiteral("%");
    case u'0':
    case u'1':
    case u'2':
        return SiteText(context, letter);
    case u'D':
        return Now(context).date().toString(QStringLiteral("dd.MM.yyyy"));
    case u'P':
        return QString::number(context.page);
    case u'T':
        return QLocale::system().toString(Now(context).time(), QLocale::LongFormat);
    default:
        return std::nullopt;
    }
}

void ShowBadMacro(QStringView rest, OperatorMessages& messages)
{
    messages.ShowMessage(QStringLiteral("Błędne makrowyrażenie: ") + rest.toString());
}

} // namespace

QString ExpandMacro(QStringView expression, const MacroContext& context, OperatorMessages& messages)
{
    QString result;
    qsizetype i = 0;
    while (i < expression.size()) {
        const QChar c = expression.at(i);
        if (c == u'#' || c == u'&') {
            const qsizetype end = TokenEnd(expression, i + 1);
            const QStringView body = expression.sliced(i + 1, end - i - 1);
            if (c == u'#')
                result += body.toString().replace(u'_', u' ');
            else
                result += FieldText(context.dataLine, body);
            i = end;
        } else if (c == u'%') {
            const std::optional<QString> text = i + 1 < expression.size()
                                                    ? PercentToken(expression.at(i + 1), context)
                                                    : std::nullopt;
            if (text)
                result += *text;
            else
                ShowBadMacro(expression.sliced(i), messages);
            i += 2;
        } else {
            // Nothing tells where an unknown token ends, so the rest is dropped.
            ShowBadMacro(expression.sliced(i), messages);
            break;
        }
    }
    return result;
}
