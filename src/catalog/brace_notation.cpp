#include "catalog/brace_notation.h"

#include <algorithm>
#include <cstring>

namespace {

// Where one record lies in a text: "{" at `open`, everything up to `end`
// (exclusive) belongs to it; an unclosed record runs to the end of the text.
struct RecordSpan
{
    qsizetype open = -1;
    qsizetype end = 0;
    QString name;
    QString value;
};

bool FindRecord(const QString& text, qsizetype from, RecordSpan& record)
{
    record.open = text.indexOf(QLatin1Char('{'), from);
    if (record.open < 0)
        return false;
    const qsizetype close = FindClosingBrace(text, record.open);
    record.end = std::min(close + 1, text.size());
    const QStringView content = QStringView(text).mid(record.open + 1, close - record.open - 1);
    const qsizetype equals = content.indexOf(QLatin1Char('='));
    if (equals < 0) {
        record.name = content.toString();
        record.value.clear();
    } else {
        record.name = content.left(equals).toString();
        record.value = content.mid(equals + 1).toString();
    }
    return true;
}

// A record skipped on the way goes back in its written-out form, so a
// record without "=" returns as "{name=}".
void AppendRecord(QString& out, const RecordSpan& record)
{
    out += QLatin1Char('{');
    out += record.name;
    out += QLatin1Char('=');
    out += record.value;
    out += QLatin1Char('}');
}

// Removes text[pos, pos + count). Removing from the front only moves the
// string's start, so when the part in front is the shorter one it is moved
// behind the gap first: walking a long description record by record then
// costs the length of each record, not of the whole remaining text.
void EraseRange(QString& text, qsizetype pos, qsizetype count)
{
    if (pos > 0 && pos < text.size() - (pos + count)) {
        char16_t* data = reinterpret_cast<char16_t*>(text.data());
        std::memmove(data + count, data, static_cast<size_t>(pos) * sizeof(char16_t));
        pos = 0;
    }
    text.remove(pos, count);
}

// The text after records were taken out: the skipped records, then the
// characters that lay between the records, then what follows `pos`.
QString Reassembled(const QString& skipped, const QString& between, const QString& text,
                    qsizetype pos)
{
    QString out;
    out.reserve(skipped.size() + between.size() + text.size() - pos);
    out += skipped;
    out += between;
    out += QStringView(text).mid(pos);
    return out;
}

bool IsWanted(const RecordSpan& record, const QString& key)
{
    return record.name.isEmpty() || record.name == key;
}

} // namespace

qsizetype FindClosingBrace(QStringView text, qsizetype open)
{
    // A depth count gives the same answer as descending into each nested
    // record, without a stack frame per level for hostile input.
    qsizetype depth = 0;
    for (qsizetype i = open + 1; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'{') {
            ++depth;
        } else if (c == u'}') {
            if (depth == 0)
                return i;
            --depth;
        }
    }
    return text.size();
}

void NextRecord(QString& text, QString& name, QString& value)
{
    RecordSpan record;
    if (!FindRecord(text, 0, record)) {
        name.clear();
        value.clear();
        return;
    }
    EraseRange(text, record.open, record.end - record.open);
    name = std::move(record.name);
    value = std::move(record.value);
}

QString TakeRecord(QString& text, const QString& key)
{
    RecordSpan record;
    if (!FindRecord(text, 0, record))
        return QString();
    if (IsWanted(record, key)) {
        EraseRange(text, record.open, record.end - record.open);
        return std::move(record.value);
    }
    // Records of other names are lifted out to the front; what lay between
    // them keeps its order behind them.
    QString skipped;
    QString between;
    qsizetype pos = 0;
    bool found = true;
    while (found && !IsWanted(record, key)) {
        AppendRecord(skipped, record);
        between += QStringView(text).mid(pos, record.open - pos);
        pos = record.end;
        found = FindRecord(text, pos, record);
    }
    QString result;
    if (found) {
        between += QStringView(text).mid(pos, record.open - pos);
        pos = record.end;
        result = std::move(record.value);
    }
    text = Reassembled(skipped, between, text, pos);
    return result;
}

QStringList TakeRecords(QString& text, const QString& key)
{
    QStringList values;
    QString skipped;
    QString between;
    qsizetype pos = 0;
    RecordSpan record;
    while (FindRecord(text, pos, record)) {
        between += QStringView(text).mid(pos, record.open - pos);
        pos = record.end;
        if (!IsWanted(record, key)) {
            AppendRecord(skipped, record);
        } else if (record.value.isEmpty()) {
            break; // an empty value ends a walk that takes until nothing comes back
        } else {
            values.append(std::move(record.value));
        }
    }
    if (pos == 0 && skipped.isEmpty() && values.isEmpty())
        return values; // nothing was taken out; leave the text as it is
    text = Reassembled(skipped, between, text, pos);
    return values;
}
