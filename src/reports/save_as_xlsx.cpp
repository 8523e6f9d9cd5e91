#include "reports/save_as_xlsx.h"

#include "operator_messages.h"
#include "reports/export_columns.h"
#include "reports/spreadsheet_number.h"
#include "reports/tbl_report.h"
#include "reports/text_export_file.h"

#include <QFile>

#include <xlsxwriter.h>

#include <locale.h>

#include <algorithm>

static_assert(save_as_xlsx::kSheetRows == LXW_ROW_MAX);

namespace {

// A cell holds at most this many characters. The rest of a longer value (the
// CSV keeps it whole) is cut off rather than losing the whole file.
constexpr qsizetype kMaxCellCharacters = 32767;

// The writer formats numbers with printf, which follows LC_NUMERIC, and Qt
// sets the process's locale from the environment: on a Polish desktop 4.5
// would go into the file as "4,5", which no spreadsheet reads. While the
// workbook is written, this thread formats numbers the C way.
class CNumericLocale
{
public:
    CNumericLocale()
    {
        const locale_t copy = duplocale(uselocale(locale_t(nullptr)));
        if (!copy)
            return;
        m_locale = newlocale(LC_NUMERIC_MASK, "C", copy);
        if (!m_locale) {
            freelocale(copy);
            return;
        }
        m_previous = uselocale(m_locale);
    }
    ~CNumericLocale()
    {
        if (!m_locale)
            return;
        uselocale(m_previous);
        freelocale(m_locale);
    }
    CNumericLocale(const CNumericLocale&) = delete;
    CNumericLocale& operator=(const CNumericLocale&) = delete;

private:
    locale_t m_locale = locale_t(nullptr);
    locale_t m_previous = locale_t(nullptr);
};

// The text as the writer takes it: UTF-8, at most a cell's characters
// (counted in code points, so a character outside the 16-bit range is
// never split).
QByteArray CellText(const QString& text)
{
    if (text.size() <= kMaxCellCharacters)
        return text.toUtf8();
    qsizetype end = 0;
    for (qsizetype characters = 0; characters < kMaxCellCharacters; ++characters)
        end += text[end].isHighSurrogate() && end + 1 < text.size() ? 2 : 1;
    return text.left(end).toUtf8();
}

// The sheets of one workbook, filled row by row. The writer keeps only the
// current row in memory and the finished ones in a temporary file, so a
// report of a million lines needs no more memory for the workbook than for
// one line.
class SheetWriter
{
public:
    SheetWriter(lxw_workbook* book, const ExportColumns& columns, int sheetRows)
        : m_book(book), m_columns(columns),
          m_sheetRows(static_cast<lxw_row_t>(std::max(sheetRows, 2)))
    {}

    bool WriteLine(const QString& line)
    {
        if ((!m_sheet || m_row == m_sheetRows) && !StartSheet())
            return false;
        for (int c = 0; c < m_columns.Count(); ++c) {
            const QString value = m_columns.Cell(line, c);
            if (value.isEmpty())
                continue;
            double number = 0;
            const lxw_col_t column = static_cast<lxw_col_t>(c);
            const lxw_error error =
                SpreadsheetNumber(value, number)
                    ? worksheet_write_number(m_sheet, m_row, column, number, nullptr)
                    : worksheet_write_string(m_sheet, m_row, column, CellText(value).constData(),
                                             nullptr);
            if (error != LXW_NO_ERROR)
                return false;
        }
        ++m_row;
        return true;
    }

    // A report without data lines still gets its sheet with the header.
    bool Finish() { return m_sheet || StartSheet(); }

private:
    bool StartSheet()
    {
        ++m_sheets;
        const QByteArray name = m_sheets == 1 ? QByteArray("Zestawienie")
                                              : "Zestawienie " + QByteArray::number(m_sheets);
        m_sheet = workbook_add_worksheet(m_book, name.constData());
        if (!m_sheet)
            return false;
        // Names are text even where they look like numbers.
        for (int c = 0; c < m_columns.Count(); ++c) {
            if (worksheet_write_string(m_sheet, 0, static_cast<lxw_col_t>(c),
                                       CellText(m_columns.Names()[c]).constData(),
                                       nullptr) != LXW_NO_ERROR)
                return false;
        }
        m_row = 1;
        return true;
    }

    lxw_workbook* m_book;
    const ExportColumns& m_columns;
    lxw_row_t m_sheetRows;
    lxw_worksheet* m_sheet = nullptr;
    lxw_row_t m_row = 0;
    int m_sheets = 0;
};

bool WriteWorkbook(const tbl_report& table, const QString& file, int sheetRows)
{
    const ExportColumns columns(table.description_lines());
    // Past the last column a sheet has, a column number would wrap around
    // onto the first ones.
    if (columns.Count() > LXW_COL_MAX)
        return false;
    const CNumericLocale numbers;
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* book = workbook_new_opt(QFile::encodeName(file).constData(), &options);
    if (!book)
        return false;
    SheetWriter sheets(book, columns, sheetRows);
    bool written = true;
    for (const QString& line : table.data_lines()) {
        written = sheets.WriteLine(line);
        if (!written)
            break;
    }
    written = written && sheets.Finish();
    // Closing writes the file, and frees the workbook whatever came before.
    return workbook_close(book) == LXW_NO_ERROR && written;
}

} // namespace

bool save_as_xlsx::save(my_report& report, const QString& file, OperatorMessages& messages)
{
    const tbl_report* table = TableReportFor(report, messages);
    if (!table)
        return false;
    if (WriteWorkbook(*table, file, m_sheetRows))
        return true;
    messages.ShowMessage(QString::fromUtf8("Błąd zapisywania pliku"));
    return false;
}
