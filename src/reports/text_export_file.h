#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

class OperatorMessages;
class my_report;
class tbl_report;

// The table report behind `report`, which the text exports need; null, with
// "Niedostępne dla tego zestawienia" shown, for any other kind of report.
const tbl_report* TableReportFor(my_report& report, OperatorMessages& messages);

// A text export being written: the file is created anew, every line goes out
// in the program's 8-bit code page (characters the page lacks as the ESC "U"
// escape, so nothing is lost) and ends with CR LF. The first failure stops
// the writing; what was written before it stays in the file.
class TextExportFile
{
public:
    explicit TextExportFile(const QString& path);

    // False once creating or writing has failed.
    bool WriteLine(const QString& line);
    // Writes what is still buffered and closes the file. False, with "Błąd
    // zapisywania pliku" shown, when anything failed.
    bool Finish(OperatorMessages& messages);

private:
    bool Flush();

    QFile m_file;
    QByteArray m_buffer;
    bool m_failed = false;
};
