// The spreadsheet export read back by a spreadsheet reader: which values
// become numbers, text in every script, the sheets of a long report, the
// width of a sheet.
#include "report_fixture.h"
#include "reports/save_as_xlsx.h"
#include "xlsx_cells.h"

#include <QJsonObject>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

QJsonArray Json(const char* text)
{
    return QJsonDocument::fromJson(text).array();
}

const QStringList kOneColumn = {S("[REPORT 400]"), S("[LINE 20]"), S("TEXT &n 0 0"), S("[END]")};

class SaveAsXlsxTest : public ReportFixture
{
protected:
    // Saves the open report and reads the workbook back.
    QJsonArray SaveAndRead(int sheetRows = save_as_xlsx::kSheetRows)
    {
        const QString file = m_dir.filePath(S("raport.xlsx"));
        EXPECT_TRUE(save_as_xlsx(sheetRows).save(*m_report, file, m_messages));
        QString error;
        const QJsonArray sheets = ReadXlsx(file, error);
        EXPECT_EQ(error, QString());
        return sheets;
    }

    QJsonArray SaveAndReadRows() { return SaveAndRead().at(0).toObject()[S("rows")].toArray(); }
};

TEST_F(SaveAsXlsxTest, PlainDecimalsBecomeNumbers)
{
    struct Row
    {
        const char* text;
        bool number;
        double value;
    } rows[] = {
        /* 0*/ {"12", true, 12},
        /* 1*/ {"-3", true, -3},
        /* 2*/ {"4.50", true, 4.5},
        /* 3*/ {"4,50", true, 4.5}, // the decimal comma
        /* 4*/ {"0", true, 0},
        /* 5*/ {"0.25", true, 0.25},
        /* 6*/ {"-0,5", true, -0.5},
        /* 7*/ {"999999999999999", true, 999999999999999.0}, // 15 digits
        /* 8*/ {"12345678901234.5", true, 12345678901234.5},
        /* 9*/ {"1234567890123456", false, 0}, // 16 digits: no longer exact
        /*10*/ {"1234567890123.456", false, 0},
        /*11*/ {"007", false, 0}, // an identifier keeps its zeros
        /*12*/ {"00", false, 0},
        /*13*/ {"-01.5", false, 0},
        /*14*/ {"+5", false, 0},
        /*15*/ {"1e3", false, 0},
        /*16*/ {"1 000", false, 0},
        /*17*/ {"1,234.5", false, 0},
        /*18*/ {"12.", false, 0},
        /*19*/ {".5", false, 0},
        /*20*/ {"-", false, 0},
        /*21*/ {"1.2.3", false, 0},
        /*22*/ {" 12", false, 0},
        /*23*/ {"12 szt.", false, 0},
        /*24*/ {"\xd9\xa1\xd9\xa2", false, 0}, // digits of another script
        /*25*/ {"0x1F", false, 0},
    };
    QStringList data;
    for (const Row& row : rows)
        data << S("&n=") + S(row.text);
    ASSERT_TRUE(Open(kOneColumn, data));
    const QJsonArray cells = SaveAndReadRows();
    ASSERT_EQ(cells.size(), static_cast<qsizetype>(std::size(rows)) + 1);
    EXPECT_EQ(cells[0], QJsonArray{S("n")});
    int n = 0;
    for (const Row& row : rows) {
        const QJsonValue cell = cells[n + 1].toArray().at(0);
        if (row.number) {
            EXPECT_TRUE(cell.isDouble()) << "row " << n;
            EXPECT_EQ(cell.toDouble(), row.value) << "row " << n;
        } else {
            EXPECT_EQ(cell, QJsonValue(S(row.text))) << "row " << n;
        }
        ++n;
    }
}

TEST_F(SaveAsXlsxTest, TextKeepsEveryCharacter)
{
    const QString longText(40000, u'ż');
    const QString emojiAtTheEnd = QString(32766, u'a') + S("😀") + u'b';
    ASSERT_TRUE(Open({S("[REPORT 400]"), S("[LINE 20]"), S("TEXT &tytul&12 0 0"),
                      S("TEXT #Autor:_&autor 0 0"), S("[END]")},
                     {// the Polish letters are in the code page, Ω and Ж are not
                      S("&tytul=Żółć gęślą jaźń&12=Ω i Ж za 5 €&autor=Prus"),
                      // a break line, an "&" as ESC "1", no author
                      S("*&12=😀&tytul=Dom\x1b"
                        "1Ogród"),
                      // a cell holds 32,767 characters, a character beyond 16
                      // bits counting as one
                      S("&autor=") + longText, S("&autor=") + emojiAtTheEnd}));
    const QJsonArray expected = {
        QJsonArray{S("tytul"), S("12"), S("autor")}, // names stay text
        QJsonArray{S("Żółć gęślą jaźń"), S("Ω i Ж za 5 €"), S("Prus")},
        QJsonArray{S("Dom&Ogród"), S("😀"), QJsonValue()},
        QJsonArray{QJsonValue(), QJsonValue(), longText.left(32767)},
        QJsonArray{QJsonValue(), QJsonValue(), emojiAtTheEnd.left(32768)},
    };
    const QJsonArray cells = SaveAndReadRows();
    ASSERT_EQ(cells.size(), expected.size());
    for (qsizetype n = 0; n < expected.size(); ++n)
        EXPECT_EQ(cells[n], expected[n]) << "row " << n;
    EXPECT_EQ(m_messages.lines(), QStringList());
}

TEST_F(SaveAsXlsxTest, ALongReportGoesOnOverSheetsUnderTheSameHeader)
{
    struct Row
    {
        QStringList description;
        int lines;
        int sheetRows;
        const char* sheets;
    } rows[] = {
        /* 0*/ {kOneColumn, 0, save_as_xlsx::kSheetRows,
                R"([{"name": "Zestawienie", "rows": [["n"]]}])"},
        /* 1*/
        {kOneColumn, 3, 4, R"([{"name": "Zestawienie", "rows": [["n"], [1], [2], [3]]}])"},
        /* 2*/
        {kOneColumn, 7, 4,
         R"([{"name": "Zestawienie", "rows": [["n"], [1], [2], [3]]},
             {"name": "Zestawienie 2", "rows": [["n"], [4], [5], [6]]},
             {"name": "Zestawienie 3", "rows": [["n"], [7]]}])"},
        // no line band: nothing to show, still a sheet
        /* 3*/
        {{S("[REPORT 400]"), S("[END]")}, 2, 4, R"([{"name": "Zestawienie", "rows": []}])"},
    };
    int n = 0;
    for (const Row& row : rows) {
        QStringList data;
        for (int i = 1; i <= row.lines; ++i)
            data << S("&n=") + QString::number(i);
        ASSERT_TRUE(Open(row.description, data)) << "row " << n;
        EXPECT_EQ(SaveAndRead(row.sheetRows), Json(row.sheets)) << "row " << n;
        ++n;
    }
}

TEST_F(SaveAsXlsxTest, ColumnsBeyondASheetsWidthAreAWriteError)
{
    // A sheet has 16,384 columns.
    struct Row
    {
        int columns;
        bool saved;
    } rows[] = {
        /* 0*/ {16384, true},
        /* 1*/ {16385, false},
    };
    int n = 0;
    for (const Row& row : rows) {
        QString fields;
        for (int c = 0; c < row.columns; ++c)
            fields += S("&k") + QString::number(c);
        ASSERT_TRUE(
            Open({S("[REPORT 400]"), S("[LINE 20]"), S("TEXT ") + fields + S(" 0 0"), S("[END]")},
                 {S("&k16383=ostatnia")}))
            << "row " << n;
        const QString file = m_dir.filePath(QStringLiteral("%1.xlsx").arg(n));
        CollectedMessages messages;
        EXPECT_EQ(save_as_xlsx().save(*m_report, file, messages), row.saved) << "row " << n;
        EXPECT_EQ(QFile::exists(file), row.saved) << "row " << n;
        EXPECT_EQ(messages.lines(),
                  row.saved ? QStringList() : QStringList{S("Błąd zapisywania pliku")})
            << "row " << n;
        ++n;
    }
    QString error;
    const QJsonArray cells = OnlySheetRows(m_dir.filePath(S("0.xlsx")), error).toArray();
    ASSERT_EQ(cells.size(), 2) << error.toStdString();
    EXPECT_EQ(cells[1].toArray().size(), 16384);
    EXPECT_EQ(cells[1].toArray().last(), S("ostatnia"));
}

} // namespace
