#pragma once

// An XLSX workbook read back by a spreadsheet reader (openpyxl), so a test
// sees what a spreadsheet program shows: numbers as JSON numbers, text as
// strings, empty cells as null.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>

// The sheets as [{"name": NAME, "rows": [[cell, ...], ...]}, ...]; `error`
// says why there are none when the reader fails.
inline QJsonArray ReadXlsx(const QString& path, QString& error)
{
    QProcess reader;
    reader.start(QStringLiteral(XLSX_PYTHON), {QStringLiteral(XLSX_CELLS_SCRIPT), path});
    if (!reader.waitForFinished(60000) || reader.exitCode() != 0) {
        error = QString::fromUtf8(reader.readAllStandardError());
        return QJsonArray();
    }
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(reader.readAllStandardOutput(), &parse);
    if (parse.error != QJsonParseError::NoError)
        error = parse.errorString();
    return document.array();
}

// The rows of the one sheet of a workbook, null when there is not exactly one.
inline QJsonValue OnlySheetRows(const QString& path, QString& error)
{
    const QJsonArray sheets = ReadXlsx(path, error);
    if (sheets.size() != 1) {
        error += QStringLiteral(" (%1 sheets)").arg(sheets.size());
        return QJsonValue();
    }
    return sheets[0].toObject().value(QStringLiteral("rows"));
}
