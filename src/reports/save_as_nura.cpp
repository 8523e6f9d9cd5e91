#include "reports/save_as_nura.h"

#include "reports/tbl_report.h"
#include "reports/text_export_file.h"

bool save_as_nura::save(my_report& report, const QString& file, OperatorMessages& messages)
{
    const tbl_report* table = TableReportFor(report, messages);
    if (!table)
        return false;
    TextExportFile out(file);
    // The description keeps its "[END]" line, so the file reads back as a report.
    for (const QStringList* lines : {&table->description_lines(), &table->data_lines()}) {
        for (const QString& line : *lines) {
            if (!out.WriteLine(line))
                return out.Finish(messages);
        }
    }
    return out.Finish(messages);
}
