// The PDF export and the picture of the previewed page, drawn through Qt, and
// the formats the program adds to the save dialog.
#include "operator_messages.h"
#include "reports/my_save.h"
#include "reports/tbl_report.h"
#include "reports/ui/image_preview_picture.h"
#include "reports/ui/program_exports.h"

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The page objects of a PDF (not the page tree, "/Type /Pages").
int PageCount(const QByteArray& pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    int count = 0;
    for (auto match = page.globalMatch(QString::fromLatin1(pdf)); match.hasNext(); match.next())
        ++count;
    return count;
}

// Width and height of the first page's media box, in points.
QSizeF MediaBox(const QByteArray& pdf)
{
    static const QRegularExpression box(
        QStringLiteral("/MediaBox\\s*\\[\\s*0\\s+0\\s+([0-9.]+)\\s+([0-9.]+)\\s*\\]"));
    const QRegularExpressionMatch match = box.match(QString::fromLatin1(pdf));
    return match.hasMatch() ? QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble())
                            : QSizeF();
}

class SaveAsPdfTest : public testing::Test
{
protected:
    std::unique_ptr<tbl_report> Open(const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(QStringLiteral("report.tmp"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return nullptr;
        file.close();
        std::unique_ptr<tbl_report> report =
            tbl_report::Open(S("Zestawienie"), path, m_messages, SiteValues());
        if (report)
            AddProgramExports(*report);
        return report;
    }

    QString File(const char* name) const { return m_dir.filePath(S(name)); }

    QTemporaryDir m_dir;
    CollectedMessages m_messages;
};

// Where the save dialog offers the PDF.
constexpr size_t kPdf = 4;

// One line per page, three lines.
const char kThreePages[] = "[HEADER 20]\nTEXT #Strona_%P 0 0\n[LINE 20]\nTEXT &a 0 0\n[END]\n"
                           "&a=pierwsza\n&a=druga\n&a=trzecia\n";

TEST_F(SaveAsPdfTest, TheProgramOffersPdfThenTheSpreadsheetAfterTheReportsOwn)
{
    const std::unique_ptr<tbl_report> report = Open("[REPORT 400]\n[END]\n");
    ASSERT_NE(report, nullptr);
    // The report's own four come first (see the core's export tests).
    const auto& exports = report->exports();
    ASSERT_EQ(exports.size(), kPdf + 2);
    EXPECT_EQ(exports[kPdf]->filter(), S("Dokument PDF (PDF)|*.pdf"));
    EXPECT_EQ(exports[kPdf + 1]->filter(), S("Skoroszyt (XLSX)|*.xlsx"));
}

TEST_F(SaveAsPdfTest, EveryPageGoesToTheFile)
{
    struct Row
    {
        const char* settings;
        bool landscape;
    } rows[] = {
        /* 0*/ {"[REPORT 400 ALIGN=CONST 1]\n", false},
        /* 1*/ {"[REPORT 400 ALIGN=CONST 1 ORIENTATION=LANDSCAPE]\n", true},
        /* 2*/ {"[REPORT 400 ALIGN=CONST 1 ORIENTATION=PORTRAIT]\n", false},
    };
    int n = 0;
    for (const Row& row : rows) {
        const std::unique_ptr<tbl_report> report = Open(QByteArray(row.settings) + kThreePages);
        ASSERT_NE(report, nullptr) << "row " << n;
        // A range left from printing does not limit the export.
        report->set_print_range(2, 2);
        my_save& pdf = *report->exports().at(kPdf);
        ASSERT_TRUE(pdf.save(*report, File("raport.pdf"), m_messages)) << "row " << n;
        const QByteArray bytes = ReadBytes(File("raport.pdf"));
        EXPECT_TRUE(bytes.startsWith("%PDF-")) << "row " << n;
        EXPECT_EQ(PageCount(bytes), 3) << "row " << n;
        // A4: 595 x 842 points, turned for landscape.
        const QSizeF box = MediaBox(bytes);
        const QSizeF a4 = row.landscape ? QSizeF(842, 595) : QSizeF(595, 842);
        EXPECT_NEAR(box.width(), a4.width(), 1.0) << "row " << n;
        EXPECT_NEAR(box.height(), a4.height(), 1.0) << "row " << n;
        ++n;
    }
    EXPECT_EQ(m_messages.lines(), QStringList());
}

TEST_F(SaveAsPdfTest, AFileThatCannotBeCreatedIsAPrintError)
{
    const std::unique_ptr<tbl_report> report =
        Open(QByteArray("[REPORT 400 ALIGN=CONST 1]\n") + kThreePages);
    ASSERT_NE(report, nullptr);
    const QString target = File("brak/raport.pdf");
    EXPECT_FALSE(report->exports().at(kPdf)->save(*report, target, m_messages));
    ASSERT_EQ(m_messages.lines().size(), 1);
    EXPECT_TRUE(
        m_messages.lines()[0].startsWith(S("Błąd druku: Nie można utworzyć pliku ") + target))
        << m_messages.lines()[0].toStdString();
    EXPECT_FALSE(QFile::exists(target));
}

TEST_F(SaveAsPdfTest, TheBitmapIsThePreviewedPage)
{
    const std::unique_ptr<tbl_report> report =
        Open(QByteArray("[REPORT 400 ALIGN=CONST 1]\n") + kThreePages);
    ASSERT_NE(report, nullptr);
    ImagePreviewPicture picture;
    report->use_preview_surface(picture.NewPage(400, 40));
    report->set_preview_picture(&picture);
    ASSERT_EQ(report->render_page(1, 2), QString());
    // A Windows bitmap, whatever the name says.
    const QString file = File("strona.png");
    ASSERT_TRUE(report->exports().front()->save(*report, file, m_messages));
    const QByteArray bytes = ReadBytes(file);
    EXPECT_TRUE(bytes.startsWith("BM"));
    const QImage image = QImage::fromData(bytes, "BMP");
    ASSERT_EQ(image.size(), QSize(400, 40));
    EXPECT_EQ(image, picture.Page()->Image().convertToFormat(image.format()));
    bool inked = false;
    for (int y = 0; y < image.height() && !inked; ++y)
        for (int x = 0; x < image.width() && !inked; ++x)
            inked = (image.pixel(x, y) & 0xFFFFFFu) != 0xFFFFFFu;
    EXPECT_TRUE(inked) << "the page's text is in the picture";
    report->set_preview_picture(nullptr);
}

} // namespace
