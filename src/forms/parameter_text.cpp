#include "forms/parameter_text.h"

#include "forms/form_record.h"

namespace {

const QString kBar = QStringLiteral("|");
const QString kEscapedBar = QStringLiteral("\x1b"
                                           "1");

// Names are escaped like values: a "|" left bare in a name would shift every
// later pair when the text is read back.
QString Escape(const QString& text)
{
    QString escaped = text;
    return escaped.replace(kBar, kEscapedBar);
}

QString Unescape(QStringView text)
{
    return text.toString().replace(kEscapedBar, kBar);
}

} // namespace

QString BuildParameterText(const my_record& record)
{
    if (record.entries().empty())
        return QStringLiteral("||");
    QString text;
    for (const my_field_entry& entry : record.entries())
        text += Escape(entry.name) + kBar + Escape(entry.value) + kBar;
    return text;
}

void LoadParameterText(const QString& text, my_record& record)
{
    const QStringView view(text);
    qsizetype position = 0;
    while (position < view.size()) {
        qsizetype nameEnd = view.indexOf(u'|', position);
        if (nameEnd < 0)
            nameEnd = view.size();
        const QStringView name = view.mid(position, nameEnd - position);
        qsizetype valueEnd = nameEnd < view.size() ? view.indexOf(u'|', nameEnd + 1) : -1;
        if (valueEnd < 0)
            valueEnd = view.size();
        const QStringView value =
            nameEnd < view.size() ? view.mid(nameEnd + 1, valueEnd - nameEnd - 1) : QStringView();
        record.SetValue(Unescape(name), Unescape(value));
        position = valueEnd + 1;
    }
}
