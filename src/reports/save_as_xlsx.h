#pragma once

#include "reports/my_save.h"

// The data as a spreadsheet workbook: the CSV's columns, a header row of the
// line band's field names, then a row per data line, with plain decimal
// numbers stored as numbers (see spreadsheet_number.h) and everything else as
// text.
class save_as_xlsx final : public my_save
{
public:
    // The rows of a sheet, the header's included: a spreadsheet's limit.
    // Data lines beyond it continue on another sheet under the same header.
    static constexpr int kSheetRows = 1048576;

    explicit save_as_xlsx(int sheetRows = kSheetRows)
        : my_save(QStringLiteral("Skoroszyt (XLSX)|*.xlsx")), m_sheetRows(sheetRows)
    {}
    bool save(my_report& report, const QString& file, OperatorMessages& messages) override;

private:
    int m_sheetRows;
};
