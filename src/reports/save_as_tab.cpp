#include "reports/save_as_tab.h"

#include "reports/export_columns.h"
#include "reports/tbl_report.h"
#include "reports/text_export_file.h"

namespace {

QString TabRow(const ExportColumns& columns, QStringView dataLine)
{
    QString row;
    for (int c = 0; c < columns.Count(); ++c) {
        if (c > 0)
            row += u'\t';
        row += columns.Cell(dataLine, c);
    }
    return row;
}

} // namespace

bool save_as_tab::save(my_report& report, const QString& file, OperatorMessages& messages)
{
    const tbl_report* table = TableReportFor(report, messages);
    if (!table)
        return false;
    const ExportColumns columns(table->description_lines());
    TextExportFile out(file);
    for (const QString& line : table->data_lines()) {
        if (!out.WriteLine(TabRow(columns, line)))
            break;
    }
    return out.Finish(messages);
}
