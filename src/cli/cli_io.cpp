#include "cli/cli_io.h"

#include <QIODevice>

QByteArray CliIo::ReadBytes()
{
    return m_input.readAll();
}

QString CliIo::ReadText()
{
    return QString::fromUtf8(ReadBytes());
}

QString CliIo::ReadLineText()
{
    QString text = ReadText();
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(text.endsWith(QStringLiteral("\r\n")) ? 2 : 1);
    return text;
}

void CliIo::WriteLine(const QString& line)
{
    WriteText(line);
    m_out += '\n';
}

int CliIo::Fail(const QString& error)
{
    m_err += error.toUtf8();
    m_err += '\n';
    return kCliFailure;
}
