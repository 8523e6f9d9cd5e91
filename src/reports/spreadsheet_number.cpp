#include "reports/spreadsheet_number.h"

#include <QByteArray>

namespace {

// Every decimal with this many significant digits survives the way into a
// double and back.
constexpr int kMaxDigits = 15;

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

bool SpreadsheetNumber(QStringView text, double& value)
{
    // The digits, with a "." for the decimal separator, for the conversion
    // that follows no locale.
    QByteArray plain;
    qsizetype i = 0;
    if (i < text.size() && text[i] == u'-')
        plain += static_cast<char>(text[i++].unicode());
    const qsizetype whole = i;
    while (i < text.size() && IsDigit(text[i]))
        plain += static_cast<char>(text[i++].unicode());
    const qsizetype wholeDigits = i - whole;
    if (wholeDigits == 0 || (wholeDigits > 1 && text[whole] == u'0'))
        return false;
    int digits = static_cast<int>(wholeDigits);
    if (i < text.size() && (text[i] == u'.' || text[i] == u',')) {
        plain += '.';
        const qsizetype fraction = ++i;
        while (i < text.size() && IsDigit(text[i]))
            plain += static_cast<char>(text[i++].unicode());
        if (i == fraction)
            return false;
        digits += static_cast<int>(i - fraction);
    }
    if (i != text.size() || digits > kMaxDigits)
        return false;
    bool ok = false;
    value = plain.toDouble(&ok);
    return ok;
}
