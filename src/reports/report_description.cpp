#include "reports/report_description.h"

#include "client/nura_text_file.h"
#include "operator_messages.h"
#include "reports/report_words.h"

#include <QFile>

#include <optional>

bool ReadReportFile(const QString& path, ReportFile& file)
{
    file = ReportFile();
    {
        // The line reader cannot tell a missing file from an empty one.
        QFile probe(path);
        if (!probe.open(QIODevice::ReadOnly))
            return false;
    }
    NuraTextFile reader(path);
    const QString end = QStringLiteral("[END]");
    while (!reader.Eof()) {
        QString line = reader.ReadLine();
        const bool endsDescription = line == end;
        file.description.append(std::move(line));
        if (endsDescription)
            break;
    }
    while (!reader.Eof())
        file.data.append(reader.ReadLine());
    return true;
}

namespace {

std::optional<int> ToInt(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// Section lines are read without their "]"; element lines stay as written.
ReportWords SectionWords(const QString& line)
{
    return ReportWords(QString(line).remove(u']'));
}

// One pass over a description. The first number that does not convert
// stops it; its line becomes the error text.
class DescriptionParser
{
public:
    DescriptionParser(const QStringList& description, ReportSettings& settings,
                      OperatorMessages& messages)
        : m_description(description), m_settings(settings), m_messages(messages)
    {}

    QString Run();

private:
    std::optional<int> RequiredInt(const ReportWords& words, int index, const QString& line);
    void ReadSettingsLine(const QString& line);
    void ReadLayout(const ReportWords& words, const QString& line);
    void ReadOrientation(const ReportWords& words);
    void ReadMargin(const ReportWords& words, QStringView option, double& cm);
    void ReadBand(QLatin1String name, ReportBand& band);
    bool Failed() const { return !m_error.isNull(); }

    const QStringList& m_description;
    ReportSettings& m_settings;
    OperatorMessages& m_messages;
    qsizetype m_current = 0;
    QString m_error;
};

QString DescriptionParser::Run()
{
    m_settings = ReportSettings();
    if (!m_description.isEmpty() && m_description.first().startsWith(u"[REPORT")) {
        ReadSettingsLine(m_description.first());
        m_current = 1;
    }
    ReadBand(QLatin1String("HEADER"), m_settings.header);
    ReadBand(QLatin1String("LINE"), m_settings.line);
    ReadBand(QLatin1String("FOOTER"), m_settings.footer);
    if (Failed())
        return m_error;
    // Every scale divides by the width: a report without one cannot be laid out.
    if (m_settings.designWidth < 1)
        return QStringLiteral("Błąd opisu zestawienia (brak szerokości raportu)");
    if (m_current >= m_description.size() || m_description.at(m_current) != u"[END]")
        m_messages.ShowMessage(QStringLiteral("Błąd opisu zestawienia (spodziewane [END])"));
    return {};
}

std::optional<int> DescriptionParser::RequiredInt(const ReportWords& words, int index,
                                                  const QString& line)
{
    if (Failed())
        return std::nullopt;
    const std::optional<int> value = ToInt(words.Word(index, m_messages));
    if (!value)
        m_error = QStringLiteral("Błąd opisu zestawienia (") + line + QLatin1Char(')');
    return value;
}

void DescriptionParser::ReadSettingsLine(const QString& line)
{
    const ReportWords words = SectionWords(line);
    // A missing width is told once, after the bands, with its own text
    // rather than as a missing parameter.
    if (words.Count() >= 2)
        m_settings.designWidth = RequiredInt(words, 1, line).value_or(0);
    ReadLayout(words, line);
    ReadOrientation(words);
    ReadMargin(words, u"LEFT=", m_settings.leftCm);
    ReadMargin(words, u"RIGHT=", m_settings.rightCm);
    ReadMargin(words, u"TOP=", m_settings.topCm);
    ReadMargin(words, u"BOTTOM=", m_settings.bottomCm);
}

void DescriptionParser::ReadLayout(const ReportWords& words, const QString& line)
{
    const QStringView option = u"ALIGN=";
    const int at = words.Find(option);
    if (at < 0)
        return;
    const QString mode = words.Word(at, m_messages).mid(option.size()).toUpper();
    if (mode == u"STANDARD") {
        m_settings.layout = ReportLayout::Standard;
    } else if (mode == u"CONST") {
        m_settings.layout = ReportLayout::Const;
        m_settings.fixedLines = RequiredInt(words, at + 1, line).value_or(0);
    } else if (mode == u"WIDTH") {
        m_settings.layout = ReportLayout::Width;
        m_settings.physicalWidthCm = RequiredInt(words, at + 1, line).value_or(0) / 10.0;
        m_settings.fixedLines = 1;
    }
}

void DescriptionParser::ReadOrientation(const ReportWords& words)
{
    const QStringView option = u"ORIENTATION=";
    const int at = words.Find(option);
    if (at < 0)
        return;
    const QString orientation = words.Word(at, m_messages).mid(option.size()).toUpper();
    if (orientation == u"LANDSCAPE")
        m_settings.orientation = ReportOrientation::Landscape;
    else if (orientation == u"PORTRAIT")
        m_settings.orientation = ReportOrientation::Portrait;
}

// Margins are millimetres in the file and centimetres here; a number that
// does not convert leaves the margin as it was.
void DescriptionParser::ReadMargin(const ReportWords& words, QStringView option, double& cm)
{
    const int at = words.Find(option);
    if (at < 0)
        return;
    if (const std::optional<int> mm = ToInt(words.Word(at, m_messages).mid(option.size())))
        cm = *mm / 10.0;
}

// The band section at the current line, if it is this band's; the current
// line moves past its elements. A band that is not there has no height and
// no elements.
void DescriptionParser::ReadBand(QLatin1String name, ReportBand& band)
{
    band = ReportBand();
    const bool present = !Failed() && m_current < m_description.size() &&
                         m_description.at(m_current).startsWith(u'[') &&
                         QStringView(m_description.at(m_current)).sliced(1).startsWith(name);
    if (!present) {
        band.height = 0;
        return;
    }
    const QString& line = m_description.at(m_current);
    band.height = RequiredInt(SectionWords(line), 1, line).value_or(0);
    qsizetype end = m_current + 1;
    while (end < m_description.size() && !m_description.at(end).startsWith(u'['))
        ++end;
    band.firstElement = static_cast<int>(m_current + 1);
    band.elementCount = static_cast<int>(end - m_current - 1);
    m_current = end;
}

} // namespace

QString ParseDescription(const QStringList& description, ReportSettings& settings,
                         OperatorMessages& messages)
{
    return DescriptionParser(description, settings, messages).Run();
}
