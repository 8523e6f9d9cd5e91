// Bar-code patterns built per second, ours beside libzint's encoder on the
// same data: EAN-13 and Code 128 set B, the two symbologies that reports
// print most (article numbers and reader cards). Both sides take turns over
// the same sixteen data strings, so neither wins by meeting one text only.
// libzint reuses one symbol, cleared between encodings, which is its
// fastest way to encode many symbols.
#include "reports/bars.h"

#include <benchmark/benchmark.h>
#include <zint.h>

#include <QByteArray>

#include <array>
#include <cstdio>
#include <memory>

namespace {

constexpr std::size_t kDataCount = 16;
using DataSet = std::array<QByteArray, kDataCount>;

// Thirteen digits with a valid check digit, which libzint insists on.
DataSet Ean13Data()
{
    DataSet data;
    for (std::size_t i = 0; i < kDataCount; ++i) {
        char digits[14];
        std::snprintf(digits, sizeof digits, "590%09u", static_cast<unsigned>(i * 7919 + 1234));
        int sum = 0;
        for (int d = 0; d < 12; ++d)
            sum += (digits[d] - '0') * (d % 2 == 0 ? 1 : 3);
        digits[12] = static_cast<char>('0' + (10 - sum % 10) % 10);
        digits[13] = '\0';
        data[i] = QByteArray(digits);
    }
    return data;
}

// Reader-card texts as the reading room prints them.
DataSet Code128Data()
{
    DataSet data;
    for (std::size_t i = 0; i < kDataCount; ++i) {
        char text[32];
        std::snprintf(text, sizeof text, "Czyt/%05u-Kb", static_cast<unsigned>(i * 4391 + 17));
        data[i] = QByteArray(text);
    }
    return data;
}

void Ours(benchmark::State& state, TBarcodeType typ, const DataSet& data)
{
    TBarcode barcode;
    barcode.Typ = typ;
    std::size_t next = 0;
    for (auto _ : state) {
        barcode.Text = data[next];
        next = (next + 1) % kDataCount;
        const QByteArray pattern = barcode.Pattern();
        benchmark::DoNotOptimize(pattern.constData());
    }
    state.SetItemsProcessed(state.iterations());
}

void Zint(benchmark::State& state, int symbology, const DataSet& data)
{
    const std::unique_ptr<zint_symbol, void (*)(zint_symbol*)> symbol(ZBarcode_Create(),
                                                                      ZBarcode_Delete);
    std::size_t next = 0;
    for (auto _ : state) {
        ZBarcode_Clear(symbol.get());
        symbol->symbology = symbology;
        const QByteArray& text = data[next];
        next = (next + 1) % kDataCount;
        if (ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(text.constData()),
                            static_cast<int>(text.size())) >= ZINT_ERROR) {
            state.SkipWithError(symbol->errtxt);
            break;
        }
        benchmark::DoNotOptimize(symbol->encoded_data);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_Ean13_Ours(benchmark::State& state)
{
    Ours(state, bcCodeEAN13, Ean13Data());
}
void BM_Ean13_Zint(benchmark::State& state)
{
    Zint(state, BARCODE_EANX, Ean13Data());
}
void BM_Code128B_Ours(benchmark::State& state)
{
    Ours(state, bcCode128B, Code128Data());
}
void BM_Code128B_Zint(benchmark::State& state)
{
    Zint(state, BARCODE_CODE128B, Code128Data());
}

} // namespace

BENCHMARK(BM_Ean13_Ours);
BENCHMARK(BM_Ean13_Zint);
BENCHMARK(BM_Code128B_Ours);
BENCHMARK(BM_Code128B_Zint);
