#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <utility>

// What a printed PDF holds, read back with poppler's tools: the text of
// each page and the document's page size.
class PrintOutput
{
public:
    explicit PrintOutput(QString file) : m_file(std::move(file)) {}

    int Pages() const { return Info(QStringLiteral("Pages")).toInt(); }
    // "420 x 595 pts (A5)"
    QString PageSize() const { return Info(QStringLiteral("Page size")); }

    // The text of page `page` (from 1).
    QString PageText(int page) const
    {
        return Run(QStringLiteral("pdftotext"),
                   {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                    QString::number(page), QStringLiteral("-layout"), m_file, QStringLiteral("-")});
    }

    // The numbers that follow `word` on a page, in reading order.
    QList<int> NumbersAfter(const QString& word, int page) const
    {
        QList<int> numbers;
        const QRegularExpression pattern(QRegularExpression::escape(word) +
                                         QStringLiteral(" (\\d+)\\b"));
        for (auto match = pattern.globalMatch(PageText(page)); match.hasNext();)
            numbers << match.next().captured(1).toInt();
        return numbers;
    }

    // The bytes before the document: the driver's job header.
    QByteArray Header() const
    {
        QFile file(m_file);
        if (!file.open(QIODevice::ReadOnly))
            return QByteArray();
        const QByteArray bytes = file.readAll();
        const qsizetype pdf = bytes.indexOf("%PDF-");
        return pdf < 0 ? bytes : bytes.left(pdf);
    }

private:
    static QString Run(const QString& program, const QStringList& arguments)
    {
        QProcess process;
        process.start(program, arguments);
        if (!process.waitForFinished(60000))
            return QString();
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    QString Info(const QString& key) const
    {
        const QString info = Run(QStringLiteral("pdfinfo"), {m_file});
        const QRegularExpression line(QStringLiteral("^%1:\\s*(.*)$").arg(key),
                                      QRegularExpression::MultilineOption);
        return line.match(info).captured(1).trimmed();
    }

    QString m_file;
};
