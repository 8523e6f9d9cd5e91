// Our patterns against libzint's on the same data: every symbol that both
// encode the same way must give the same row of modules. libzint serves
// only as a yardstick here.
#include "reports/bars.h"

#include <gtest/gtest.h>
#include <zint.h>

#include <memory>
#include <string>
#include <vector>

namespace {

struct ZintSymbol
{
    std::string error;
    std::string text;              // what libzint prints under the symbol
    std::vector<std::string> rows; // "1" for a dark module, "0" for a light one
};

ZintSymbol Zint(int symbology, const QByteArray& data, int option2 = 0)
{
    const std::unique_ptr<zint_symbol, void (*)(zint_symbol*)> symbol(ZBarcode_Create(),
                                                                      ZBarcode_Delete);
    symbol->symbology = symbology;
    symbol->option_2 = option2;
    const int result =
        ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(data.constData()),
                        static_cast<int>(data.size()));
    ZintSymbol out;
    if (result >= ZINT_ERROR) {
        out.error = symbol->errtxt;
        return out;
    }
    out.text = reinterpret_cast<const char*>(symbol->text);
    for (int row = 0; row < symbol->rows; ++row) {
        std::string modules;
        for (int x = 0; x < symbol->width; ++x)
            modules += (symbol->encoded_data[row][x / 8] >> (x % 8) & 1) != 0 ? '1' : '0';
        out.rows.push_back(modules);
    }
    return out;
}

// Light modules at the end: some of our symbols end in a space, some of
// libzint's rows in a light module; neither is part of the symbol.
std::string WithoutTrailingSpace(std::string modules)
{
    while (!modules.empty() && modules.back() == '0')
        modules.pop_back();
    return modules;
}

// Our pattern as modules, each element as wide as its class says.
std::string Modules(const QByteArray& pattern, const int (&widths)[4])
{
    std::string modules;
    for (const char c : pattern) {
        const bool bar = c >= '5' && c <= '8';
        const int widthClass = bar ? c - '5' : c - '0';
        EXPECT_TRUE(bar || (c >= '0' && c <= '3')) << "unexpected element " << c;
        modules.append(static_cast<std::size_t>(widths[widthClass]), bar ? '1' : '0');
    }
    return WithoutTrailingSpace(modules);
}

QByteArray Bytes(int first, int last)
{
    QByteArray bytes;
    for (int b = first; b <= last; ++b)
        bytes.append(static_cast<char>(b));
    return bytes;
}

struct ZintCase
{
    TBarcodeType typ;
    QByteArray ours;
    int symbology;
    QByteArray theirs;
    int option2 = 0;
    // libzint draws 2 of 5 wide elements 3 modules wide; our ratio 3.0 does too.
    bool ratio3 = false;
    // Our data is libzint's printed text: it added the check digit for us.
    bool oursFromZintText = false;
};

std::vector<ZintCase> Cases()
{
    const QByteArray code39 = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
    // Set A's upper case and control characters mixed so that libzint,
    // choosing its sets alone, stays in set A: no run of four digits. Its
    // symbols hold at most 60 symbol characters, so the values come in four.
    auto setA = [](int first) {
        QByteArray data;
        for (int i = first; i < first + 16; ++i) {
            data.append(static_cast<char>(32 + i));
            data.append(static_cast<char>(i % 32));
        }
        return data;
    };
    auto pairs = [](int first, int last) {
        QByteArray digits;
        for (int i = first; i <= last; ++i)
            digits.append(QByteArray::number(i).rightJustified(2, '0'));
        return digits;
    };

    std::vector<ZintCase> cases = {
        /* 0*/ {bcCodeEAN8, {}, BARCODE_EANX, "9638507", 0, false, true},
        /* 1*/ {bcCodeEAN8, {}, BARCODE_EANX, "0000000", 0, false, true},
        /* 2*/ {bcCodeEAN8, {}, BARCODE_EANX, "4711803", 0, false, true},
        /* 3*/ {bcCode39, code39, BARCODE_CODE39, code39},
        // libzint takes up to 85 Code 39 characters, so 7-bit ASCII in four.
        /* 4*/ {bcCode39Extended, Bytes(0, 31), BARCODE_EXCODE39, Bytes(0, 31)},
        /* 5*/ {bcCode39Extended, Bytes(32, 63), BARCODE_EXCODE39, Bytes(32, 63)},
        /* 6*/ {bcCode39Extended, Bytes(64, 95), BARCODE_EXCODE39, Bytes(64, 95)},
        /* 7*/ {bcCode39Extended, Bytes(96, 127), BARCODE_EXCODE39, Bytes(96, 127)},
        /* 8*/ {bcCode93, code39, BARCODE_CODE93, code39},
        // The shifts spelled out: ($)A is 0x01, (%)B 0x1C, (/)C "#", (+)D "d".
        /* 9*/ {bcCode93, "[A]B{C}D", BARCODE_CODE93, "\x01\x1C#d"},
        /*10*/ {bcCode93Extended, Bytes(0, 31), BARCODE_CODE93, Bytes(0, 31)},
        /*11*/ {bcCode93Extended, Bytes(32, 63), BARCODE_CODE93, Bytes(32, 63)},
        /*12*/ {bcCode93Extended, Bytes(64, 95), BARCODE_CODE93, Bytes(64, 95)},
        /*13*/ {bcCode93Extended, Bytes(96, 127), BARCODE_CODE93, Bytes(96, 127)},
        /*14*/ {bcCode128A, setA(0), BARCODE_CODE128, setA(0)},
        /*15*/ {bcCode128A, setA(16), BARCODE_CODE128, setA(16)},
        /*16*/ {bcCode128A, setA(32), BARCODE_CODE128, setA(32)},
        /*17*/ {bcCode128A, setA(48), BARCODE_CODE128, setA(48)},
        /*18*/ {bcCode128B, Bytes(32, 79), BARCODE_CODE128B, Bytes(32, 79)},
        /*19*/ {bcCode128B, Bytes(80, 127), BARCODE_CODE128B, Bytes(80, 127)},
        // Check symbols 96 to 102, which no character of set B has.
        /*20*/ {bcCode128B, "\x7F", BARCODE_CODE128B, "\x7F"},
        /*21*/ {bcCode128B, "~!", BARCODE_CODE128B, "~!"},
        /*22*/ {bcCode128B, "\x7F!", BARCODE_CODE128B, "\x7F!"},
        /*23*/ {bcCode128B, "|#", BARCODE_CODE128B, "|#"},
        /*24*/ {bcCode128B, "}#", BARCODE_CODE128B, "}#"},
        /*25*/ {bcCode128B, "~#", BARCODE_CODE128B, "~#"},
        /*26*/ {bcCode128B, "\x7F#", BARCODE_CODE128B, "\x7F#"},
        /*27*/ {bcCode128C, pairs(0, 49), BARCODE_CODE128, pairs(0, 49)},
        /*28*/ {bcCode128C, pairs(50, 99), BARCODE_CODE128, pairs(50, 99)},
        /*29*/ {bcCode128C, "12", BARCODE_CODE128, "12"},
        /*30*/ {bcCodeCodabar, "0123456789-$:/.+", BARCODE_CODABAR, "A0123456789-$:/.+B"},
        /*31*/ {bcCodeCodabar, "40156", BARCODE_CODABAR, "A40156B"},
        /*32*/ {bcCode_2_5_interleaved, "0123456789", BARCODE_C25INTER, "0123456789", 0, true},
        /*33*/ {bcCode_2_5_interleaved, "98", BARCODE_C25INTER, "98", 0, true},
        /*34*/ {bcCode_2_5_industrial, "0123456789", BARCODE_C25IND, "0123456789", 0, true},
        /*35*/ {bcCode_2_5_matrix, "0123456789", BARCODE_C25STANDARD, "0123456789", 0, true},
        /*36*/ {bcCodeMSI, "1234567", BARCODE_MSI_PLESSEY, "1234567", 1},
        /*37*/ {bcCodeMSI, "0", BARCODE_MSI_PLESSEY, "0", 1},
        /*38*/ {bcCodeMSI, "80523", BARCODE_MSI_PLESSEY, "80523", 1},
        /*39*/ {bcCodeMSI, "9876543210", BARCODE_MSI_PLESSEY, "9876543210", 1},
        /*40*/ {bcCodeMSI, "55", BARCODE_MSI_PLESSEY, "55", 1},
    };
    // Every first digit, so every row of the EAN-13 set table.
    for (char first = '0'; first <= '9'; ++first)
        /*41..50*/ cases.push_back(
            {bcCodeEAN13, {}, BARCODE_EANX, QByteArray(1, first) + "90123412345", 0, false, true});
    return cases;
}

TEST(BarsZint, SameModulesAsLibzint)
{
    const std::vector<ZintCase> cases = Cases();
    for (std::size_t row = 0; row < cases.size(); ++row) {
        const ZintCase& c = cases[row];
        SCOPED_TRACE(testing::Message() << "row " << row << ", symbology " << c.typ);
        const ZintSymbol zint = Zint(c.symbology, c.theirs, c.option2);
        EXPECT_EQ(zint.error, "");
        EXPECT_EQ(zint.rows.size(), 1u);
        if (zint.rows.size() != 1)
            continue;

        TBarcode barcode;
        barcode.Typ = c.typ;
        barcode.Ratio = c.ratio3 ? 3.0 : 2.0;
        barcode.Text = c.oursFromZintText ? QByteArray::fromStdString(zint.text) : c.ours;
        const int ratio2[4] = {1, 2, 3, 4};
        const int ratio3[4] = {1, 3, 4, 6};
        EXPECT_EQ(Modules(barcode.Pattern(), c.ratio3 ? ratio3 : ratio2),
                  WithoutTrailingSpace(zint.rows[0]));
    }
}

// libzint draws PostNet as bars one module apart, ours are two apart; what
// must agree is the run of tall and short bars. libzint adds the check
// digit; our data carries it.
TEST(BarsZint, PostNetBarsAsLibzint)
{
    for (const char* digits : {"12345", "000000000", "98765432101"}) {
        SCOPED_TRACE(digits);
        const ZintSymbol zint = Zint(BARCODE_POSTNET, QByteArray(digits));
        ASSERT_EQ(zint.error, "");
        ASSERT_EQ(zint.rows.size(), 2u);
        std::string theirs;
        for (std::size_t x = 0; x < zint.rows[1].size(); ++x) {
            if (zint.rows[1][x] == '1')
                theirs += zint.rows[0][x] == '1' ? 'T' : 's';
        }

        int sum = 0;
        for (const char* d = digits; *d != '\0'; ++d)
            sum += *d - '0';
        TBarcode barcode;
        barcode.Typ = bcCodePostNet;
        barcode.Text = QByteArray(digits) + static_cast<char>('0' + (10 - sum % 10) % 10);
        std::string ours;
        for (const char c : barcode.Pattern()) {
            if (c == '5' || c == 'A')
                ours += c == '5' ? 'T' : 's';
        }
        EXPECT_EQ(ours, theirs);
    }
}

} // namespace
