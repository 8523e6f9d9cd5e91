// The 8-bit codec against iconv converting the same text directly.
#include "client/ansi_code_page.h"
#include "client/ansi_codec.h"

#include <benchmark/benchmark.h>

#include <iconv.h>

namespace {

// About 1 MB of Polish prose with an occasional character outside the page.
QString SampleText()
{
    const QString line =
        QStringLiteral(u"Zażółć gęślą jaźń — czytelnia główna, półka 12; Ж rzadko.\r\n");
    QString text;
    while (text.size() < (1 << 20))
        text += line;
    return text;
}

// Like the codec, iconv is given the whole text and converts it in one call;
// //TRANSLIT only keeps it going past characters the page lacks.
QByteArray IconvConvert(iconv_t cd, const char* in, size_t inSize, size_t outSize)
{
    QByteArray out(static_cast<qsizetype>(outSize), '\0');
    char* inPtr = const_cast<char*>(in);
    char* outPtr = out.data();
    size_t outLeft = outSize;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    iconv(cd, &inPtr, &inSize, &outPtr, &outLeft);
    out.truncate(static_cast<qsizetype>(outSize - outLeft));
    return out;
}

void EncodeAnsiCodec(benchmark::State& state)
{
    const QString text = SampleText();
    CurrentAnsiCodePage();
    for (auto _ : state)
        benchmark::DoNotOptimize(EncodeAnsi(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * text.size());
}
BENCHMARK(EncodeAnsiCodec);

void EncodeIconv(benchmark::State& state)
{
    const QString text = SampleText();
    iconv_t cd = iconv_open("CP1250//TRANSLIT", "UTF-16LE");
    for (auto _ : state)
        benchmark::DoNotOptimize(IconvConvert(cd, reinterpret_cast<const char*>(text.utf16()),
                                              static_cast<size_t>(text.size()) * 2,
                                              static_cast<size_t>(text.size()) * 4));
    iconv_close(cd);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * text.size());
}
BENCHMARK(EncodeIconv);

void DecodeAnsiCodec(benchmark::State& state)
{
    const QByteArray bytes = EncodeAnsi(SampleText());
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodeAnsi(bytes));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes.size());
}
BENCHMARK(DecodeAnsiCodec);

void DecodeIconv(benchmark::State& state)
{
    const QByteArray bytes = EncodeAnsi(SampleText());
    iconv_t cd = iconv_open("UTF-16LE", "CP1250");
    for (auto _ : state)
        benchmark::DoNotOptimize(IconvConvert(cd, bytes.constData(),
                                              static_cast<size_t>(bytes.size()),
                                              static_cast<size_t>(bytes.size()) * 2));
    iconv_close(cd);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes.size());
}
BENCHMARK(DecodeIconv);

} // namespace
