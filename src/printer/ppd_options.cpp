#include "printer/ppd_options.h"

#include <QHash>
#include <QList>
#include <QSet>

namespace {

// One main-keyword line of a PPD file: "*Keyword option/text: value".
struct PpdLine
{
    QByteArray keyword;
    QByteArray option; // before the colon, may be empty
    QByteArray value;  // after the colon, trimmed
};

PpdLine SplitLine(const QByteArray& line)
{
    PpdLine parsed;
    qsizetype end = 1;
    while (end < line.size() && line[end] != ':' && line[end] != ' ' && line[end] != '\t')
        ++end;
    parsed.keyword = line.mid(1, end - 1);
    const qsizetype colon = line.indexOf(':', end);
    if (colon < 0) {
        parsed.option = line.mid(end).trimmed();
        return parsed;
    }
    parsed.option = line.mid(end, colon - end).trimmed();
    parsed.value = line.mid(colon + 1).trimmed();
    return parsed;
}

// "Keyword/Text" into its two halves; a leading '*' (of an option named in
// *OpenUI) is not part of the keyword.
void SplitName(QByteArray name, QByteArray& keyword, QByteArray& text)
{
    if (name.startsWith('*'))
        name.remove(0, 1);
    const qsizetype slash = name.indexOf('/');
    keyword = slash < 0 ? name : name.left(slash).trimmed();
    text = slash < 0 ? QByteArray() : name.mid(slash + 1).trimmed();
}

// The first word of a value, without quotes: "*DefaultPageSize: A4".
QByteArray FirstWord(const QByteArray& value)
{
    QByteArray word = value.simplified();
    const qsizetype space = word.indexOf(' ');
    if (space >= 0)
        word.truncate(space);
    if (word.startsWith('"'))
        word.remove(0, 1);
    if (word.endsWith('"'))
        word.chop(1);
    return word;
}

PpdOption::Type TypeOf(const QByteArray& value)
{
    const QByteArray type = FirstWord(value);
    if (type == "Boolean")
        return PpdOption::Boolean;
    if (type == "PickMany")
        return PpdOption::PickMany;
    return PpdOption::PickOne;
}

// A quoted value may run over several lines; those lines are part of the
// value (PostScript code, often starting with '*' too), not new entries.
bool OpensMultiLineQuote(const QByteArray& value)
{
    return value.startsWith('"') && value.count('"') == 1;
}

class PpdReader
{
public:
    explicit PpdReader(const QByteArray& ppd) : m_utf8(ppd.contains("*LanguageEncoding: UTF-8"))
    {
        QByteArray text = ppd;
        text.replace("\r\n", "\n");
        text.replace('\r', '\n');
        m_lines = text.split('\n');
    }

    QVector<PpdOption> Read()
    {
        for (qsizetype i = 0; i < m_lines.size(); ++i) {
            const QByteArray& line = m_lines[i];
            if (!line.startsWith('*') || line.startsWith("*%"))
                continue;
            const PpdLine parsed = SplitLine(line);
            if (OpensMultiLineQuote(parsed.value)) {
                while (i + 1 < m_lines.size() && !m_lines[i + 1].contains('"'))
                    ++i;
                ++i;
            }
            Take(parsed);
        }
        for (PpdOption& option : m_options)
            option.defaultChoice = m_defaults.value(option.keyword);
        return m_options;
    }

private:
    QString Text(const QByteArray& bytes) const
    {
        return m_utf8 ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
    }

    void Take(const PpdLine& line)
    {
        if (line.keyword == "OpenUI" || line.keyword == "JCLOpenUI") {
            Open(line);
        } else if (line.keyword == "CloseUI" || line.keyword == "JCLCloseUI") {
            m_current = -1;
        } else if (line.keyword.startsWith("Default") && line.keyword.size() > 7) {
            const QString keyword = QString::fromLatin1(line.keyword.mid(7));
            if (!m_defaults.contains(keyword))
                m_defaults.insert(keyword, QString::fromLatin1(FirstWord(line.value)));
        } else if (m_current >= 0 && !line.option.isEmpty() &&
                   QString::fromLatin1(line.keyword) == m_options[m_current].keyword) {
            AddChoice(line.option);
        }
    }

    // An option named twice keeps its first block; the second one's
    // choices are not mixed into it.
    void Open(const PpdLine& line)
    {
        m_current = -1;
        QByteArray keyword;
        QByteArray text;
        SplitName(line.option, keyword, text);
        if (keyword.isEmpty() || m_known.contains(keyword))
            return;
        m_known.insert(keyword);
        PpdOption option;
        option.keyword = QString::fromLatin1(keyword);
        option.text = Text(text.isEmpty() ? keyword : text);
        option.type = TypeOf(line.value);
        m_options.append(option);
        m_current = m_options.size() - 1;
    }

    void AddChoice(const QByteArray& name)
    {
        QByteArray keyword;
        QByteArray text;
        SplitName(name, keyword, text);
        PpdOption& option = m_options[m_current];
        const QString choice = QString::fromLatin1(keyword);
        for (const PpdChoice& known : option.choices) {
            if (known.keyword == choice)
                return;
        }
        option.choices.append({choice, Text(text.isEmpty() ? keyword : text)});
    }

    bool m_utf8;
    QList<QByteArray> m_lines;
    QVector<PpdOption> m_options;
    QSet<QByteArray> m_known;
    QHash<QString, QString> m_defaults;
    qsizetype m_current = -1;
};

} // namespace

QVector<PpdOption> ReadPpdOptions(const QByteArray& ppd)
{
    return PpdReader(ppd).Read();
}
