// Bar codes drawn through the Qt surface must be real: a decoder (zbarimg)
// reads each symbol back from a PNG and must find the data. The 2 of 5
// variants the decoder does not know and MSI are compared module by module
// with libzint instead, read off the drawn picture as well.
#include "reports/bars.h"
#include "reports/ui/image_surface.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <zint.h>

#include <memory>
#include <string>

namespace {

constexpr int kBarHeight = 60;

struct Drawn
{
    QString file;
    int left = 0;
    int width = 0;
    int middle = 0;
};

// Draws the symbol with a white quiet zone of 20 narrow elements on every
// side (decoders want at least 10) and saves it as PNG.
Drawn DrawToPng(const QTemporaryDir& dir, TBarcodeType typ, const QByteArray& data, int modul,
                double ratio)
{
    TBarcode barcode;
    barcode.Text = data;
    barcode.Typ = typ;
    barcode.SetModul(modul);
    barcode.Ratio = ratio;
    barcode.Height = kBarHeight;
    barcode.SetWidth(0);
    const int margin = 20 * modul;
    barcode.Left = margin;
    barcode.Top = margin;
    ImageSurface surface(barcode.Width() + 2 * margin, kBarHeight + 2 * margin, 300);
    barcode.Draw(surface);
    Drawn drawn;
    drawn.file = dir.filePath(QStringLiteral("%1.png").arg(static_cast<int>(typ)));
    drawn.left = margin;
    drawn.width = barcode.Width();
    drawn.middle = margin + kBarHeight / 2;
    EXPECT_TRUE(surface.Save(drawn.file));
    return drawn;
}

// What zbarimg reads in the picture, every symbology it knows switched on
// (some are off by default) and the shortest lengths allowed.
QByteArray Decode(const QString& file)
{
    QProcess zbar;
    zbar.start(QStringLiteral(ZBARIMG),
               QStringList{QStringLiteral("--raw"), QStringLiteral("-q"),
                           QStringLiteral("--nodbus"), QStringLiteral("-Senable"),
                           QStringLiteral("-Si25.min-length=2"),
                           QStringLiteral("-Scodabar.min-length=1"), file});
    if (!zbar.waitForFinished(30000))
        return "(zbarimg did not finish)";
    QByteArray out = zbar.readAllStandardOutput();
    if (out.endsWith('\n'))
        out.chop(1);
    return out;
}

// The modules of the symbol in the picture's middle row, "1" for black,
// `modul` pixels each; trailing white left out.
std::string ModulesOfPicture(const Drawn& drawn, int modul)
{
    const QImage picture(drawn.file);
    std::string modules;
    for (int x = drawn.left; x < drawn.left + drawn.width; x += modul)
        modules += (picture.pixel(x, drawn.middle) & 0xFFFFFFu) == 0 ? '1' : '0';
    return modules.substr(0, modules.find_last_of('1') + 1);
}

std::string ZintModules(int symbology, int option2, const QByteArray& data)
{
    const std::unique_ptr<zint_symbol, void (*)(zint_symbol*)> symbol(ZBarcode_Create(),
                                                                      ZBarcode_Delete);
    symbol->symbology = symbology;
    symbol->option_2 = option2;
    const int error =
        ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(data.constData()),
                        static_cast<int>(data.size()));
    if (error >= ZINT_ERROR)
        return std::string("zint error: ") + symbol->errtxt;
    std::string modules;
    for (int x = 0; x < symbol->width; ++x)
        modules += ((symbol->encoded_data[0][x / 8] >> (x % 8)) & 1) != 0 ? '1' : '0';
    return modules;
}

TEST(BarcodeDecode, ZbarReadsBackWhatWasDrawn)
{
    struct Row
    {
        TBarcodeType typ;
        const char* data;
        const char* decoded;
        double ratio = 2.0;
    };
    const Row rows[] = {
        /* 0*/ {bcCodeEAN13, "5901234123457", "5901234123457"},
        /* 1*/ {bcCodeEAN13, "4006381333931", "4006381333931"},
        /* 2*/ {bcCodeEAN8, "96385074", "96385074"},
        /* 3*/ {bcCode39, "ZELVORAN-7 $/+%.", "ZELVORAN-7 $/+%."},
        // the decoder prints Code 39's full-ASCII pairs as they stand (its
        // "ascii" option has no effect on Code 39 in this version): the pairs
        // of the standard's table, "+A" for "a", "/O" for "/", "/A" for "!"
        /* 4*/ {bcCode39Extended, "Karta nr 7/b!", "K+A+R+T+A +N+R 7/O+B/A"},
        /* 5*/ {bcCode93, "CZYTELNIA-93 $/+%.", "CZYTELNIA-93 $/+%."},
        // the decoder resolves Code 93's shift characters itself
        /* 6*/ {bcCode93Extended, "Karta nr 7/b!", "Karta nr 7/b!"},
        /* 7*/ {bcCode128A, "READER 0042 #!", "READER 0042 #!"},
        /* 8*/ {bcCode128B, "Karta-0042/b~{}", "Karta-0042/b~{}"},
        /* 9*/ {bcCode128C, "0123456789", "0123456789"},
        /*10*/ {bcCode128C, "12", "12"},
        // the decoder prints the start and stop characters too
        /*11*/ {bcCodeCodabar, "40156-$:/.+", "A40156-$:/.+B"},
        /*12*/ {bcCode_2_5_interleaved, "12345670", "12345670"},
        /*13*/ {bcCode_2_5_interleaved, "0099", "0099"},
        // wider wide elements where the symbology has a wide-to-narrow ratio
        /*14*/ {bcCode39, "RATIO 3", "RATIO 3", 3.0},
        /*15*/ {bcCode_2_5_interleaved, "908070", "908070", 3.0},
        /*16*/ {bcCodeCodabar, "31117013206375", "A31117013206375B", 2.5},
    };
    QTemporaryDir dir;
    int n = 0;
    for (const Row& row : rows) {
        for (const int modul : {2, 3}) {
            try {
                const Drawn drawn = DrawToPng(dir, row.typ, row.data, modul, row.ratio);
                EXPECT_EQ(Decode(drawn.file), QByteArray(row.decoded))
                    << "row " << n << " modul " << modul;
            } catch (const TBarcodeError& error) {
                ADD_FAILURE() << "row " << n << ": " << error.Text().toStdString();
            }
        }
        ++n;
    }
}

TEST(BarcodeDecode, ZintDrawsTheSameModules)
{
    struct Row
    {
        TBarcodeType typ;
        double ratio;
        int zintSymbology;
        int zintOption2;
        const char* data;
    };
    const Row rows[] = {
        // zint draws wide elements three modules wide in these
        /* 0*/ {bcCode_2_5_industrial, 3.0, BARCODE_C25IND, 0, "1234567"},
        /* 1*/ {bcCode_2_5_industrial, 3.0, BARCODE_C25IND, 0, "0"},
        /* 2*/ {bcCode_2_5_matrix, 3.0, BARCODE_C25STANDARD, 0, "1234567890"},
        // MSI with the modulo-10 check digit
        /* 3*/ {bcCodeMSI, 2.0, BARCODE_MSI_PLESSEY, 1, "1234567"},
        /* 4*/ {bcCodeMSI, 2.0, BARCODE_MSI_PLESSEY, 1, "80523"},
    };
    QTemporaryDir dir;
    int n = 0;
    for (const Row& row : rows) {
        try {
            const Drawn drawn = DrawToPng(dir, row.typ, row.data, 1, row.ratio);
            EXPECT_EQ(ModulesOfPicture(drawn, 1),
                      ZintModules(row.zintSymbology, row.zintOption2, row.data))
                << "row " << n;
        } catch (const TBarcodeError& error) {
            ADD_FAILURE() << "row " << n << ": " << error.Text().toStdString();
        }
        ++n;
    }
}

TEST(BarcodeDecode, ZbarFindsNothingInAnEmptyPicture)
{
    // The round trip above means something only if the decoder does not
    // invent symbols.
    QTemporaryDir dir;
    ImageSurface surface(200, 100, 300);
    const QString file = dir.filePath(QStringLiteral("empty.png"));
    ASSERT_TRUE(surface.Save(file));
    EXPECT_EQ(Decode(file), QByteArray());
}

} // namespace
