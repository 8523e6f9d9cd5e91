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

void CliIo::WriteError(const QString& line)
{
    m_err += line.toUtf8();
    m_err += '\n';
}

int CliIo::Fail(const QString& error)
{
    WriteError(error);
    return kCliFailure;
}
