#include "config/config_text.h"

#include "client/ansi_code_page.h"

#include <QFile>

namespace {

const QByteArray kUtf8Bom = QByteArrayLiteral("\xEF\xBB\xBF");

bool HasNonAscii(const QByteArray& bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    }
    return false;
}

} // namespace

ConfigText DecodeConfigText(const QByteArray& bytes)
{
    ConfigText result;
    if (bytes.startsWith(kUtf8Bom)) {
        const QByteArray body = bytes.mid(kUtf8Bom.size());
        if (body.isValidUtf8()) {
            result.text = QString::fromUtf8(body);
            result.encoding = ConfigEncoding::Utf8WithBom;
            return result;
        }
    } else if (bytes.isValidUtf8()) {
        result.text = QString::fromUtf8(bytes);
        return result;
    }
    result.text = DecodeCodePage(bytes);
    result.encoding = ConfigEncoding::CodePage;
    return result;
}

bool ReadConfigText(const QString& path, ConfigText& out)
{
    out = ConfigText();
    QFile file(path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    out = DecodeConfigText(bytes);
    return file.error() == QFileDevice::NoError;
}

QByteArray EncodeConfigText(const QString& text, ConfigEncoding& encoding)
{
    if (encoding == ConfigEncoding::CodePage) {
        QByteArray bytes;
        // Bytes that happen to form valid UTF-8 would be taken for UTF-8 on
        // the next read and come back as different letters.
        if (EncodeCodePage(text, bytes) && !(HasNonAscii(bytes) && bytes.isValidUtf8()))
            return bytes;
        encoding = ConfigEncoding::Utf8;
    }
    const QByteArray utf8 = text.toUtf8();
    return encoding == ConfigEncoding::Utf8WithBom ? kUtf8Bom + utf8 : utf8;
}

ConfigLines SplitConfigLines(const QString& text)
{
    ConfigLines result;
    const QStringView view(text);
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < view.size()) {
        const QChar c = view[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n')) {
            ++i;
            continue;
        }
        result.lines.append(view.mid(start, i - start).toString());
        const bool crlf =
            c == QLatin1Char('\r') && i + 1 < view.size() && view[i + 1] == QLatin1Char('\n');
        if (result.lineBreak.isEmpty())
            result.lineBreak = crlf ? QStringLiteral("\r\n") : QString(c);
        i += crlf ? 2 : 1;
        start = i;
    }
    if (start < view.size())
        result.lines.append(view.mid(start).toString());
    else
        result.endsWithBreak = !view.isEmpty();
    return result;
}

QStringView TrimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 32)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}
