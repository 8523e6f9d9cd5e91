#include "reports/save_as_csv.h"

#include "reports/export_columns.h"
#include "reports/tbl_report.h"
#include "reports/text_export_file.h"

namespace {

// Every cell is quoted; a double quote inside becomes an apostrophe, since
// the table has no escape for it.
QString CsvRow(const ExportColumns& columns, QStringView dataLine)
{
    QString row;
    for (int c = 0; c < columns.Count(); ++c) {
        if (c > 0)
            row += u';';
        row += u'"';
        row += columns.Cell(dataLine, c).replace(u'"', u'\'');
        row += u'"';
    }
    return row;
}

} // namespace

bool save_as_csv::save(my_report& report, const QString& file, OperatorMessages& messages)
{
    const tbl_report* table = TableReportFor(report, messages);
    if (!table)
        return false;
    const ExportColumns columns(table->description_lines());
    TextExportFile out(file);
    if (out.WriteLine(columns.Names().join(u';'))) {
        for (const QString& line : table->data_lines()) {
            if (!out.WriteLine(CsvRow(columns, line)))
                break;
        }
    }
    return out.Finish(messages);
}
