#include "record_line.h"

namespace {

void AppendQuoted(QString& line, const QString& text)
{
    line += QLatin1String("s:\"");
    for (const QChar c : text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('"')) {
            line += QLatin1Char('\\');
            line += c;
        } else if (c.unicode() < 32) {
            line += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        } else {
            line += c;
        }
    }
    line += QLatin1Char('"');
}

} // namespace

QString FormatRecordLine(const WireItems& items)
{
    QString line;
    for (const WireItem& item : items) {
        if (!line.isEmpty())
            line += QLatin1Char(' ');
        switch (item.kind) {
        case WireItem::Kind::Byte:
            line += QString::number(item.number);
            break;
        case WireItem::Kind::Integer:
            line += QLatin1String("i:") + QString::number(item.number);
            break;
        case WireItem::Kind::String:
            AppendQuoted(line, item.text);
            break;
        case WireItem::Kind::Upload:
            line += QLatin1String("upload:") + QString::number(item.data.size());
            break;
        }
    }
    return line;
}
