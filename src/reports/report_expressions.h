#pragma once

#include <QDateTime>
#include <QString>
#include <QStringView>

#include <exception>

class IniFile;
class OperatorMessages;

// A number in a report that does not convert (a coordinate, a size, a
// field read as a number). It ends the preview page or the print job that
// met it, and never leaves the report code.
class ReportConversionError : public std::exception
{
public:
    explicit ReportConversionError(QString text);
    const QString& Text() const { return m_text; }
    const char* what() const noexcept override;

private:
    QString m_text;
    QByteArray m_utf8;
};

// The installation's own texts behind "%0", "%1" and "%2": section
// "INSTALACJA" of the configuration file, keys "nazwa", "etykieta1" and
// "etykieta2"; empty when absent.
struct SiteValues
{
    QString name;
    QString label1;
    QString label2;
};
SiteValues ReadSiteValues(const IniFile& configuration);

// The value of field `name` in a data line ("&name=value&..."): the text
// after the first "&name=" up to the next "&"; null when the field is absent.
// ESC "1" stays as it is (see FieldText).
QStringView FieldValue(QStringView dataLine, QStringView name);
// The same with ESC "1" turned back into "&", as texts show it.
QString FieldText(QStringView dataLine, QStringView name);

// A plain decimal integer (SIZE=, JUST); throws ReportConversionError when
// the text is not one.
int PlainInteger(QStringView text);

// A number parameter: a decimal integer, or "&" and a field name read from
// the data line (0 when absent). Throws ReportConversionError when the text
// is not an integer.
int EvalNumber(QStringView word, QStringView dataLine);

// What the macro tokens need besides the data line.
struct MacroContext
{
    QStringView dataLine;
    int page = 0; // "%P"
    const SiteValues* site = nullptr;
    QDateTime now; // "%D" and "%T"
};

// Expands one expression token by token ("#text", "&field", "%%", "%0",
// "%1", "%2", "%D", "%P", "%T"); a bad token shows "Błędne
// makrowyrażenie: " + the rest of the expression.
QString ExpandMacro(QStringView expression, const MacroContext& context,
                    OperatorMessages& messages);
