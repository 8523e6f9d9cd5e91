// Our JSON model against nlohmann::json on the two replies the HTTPS client
// meets most: a record read of 30 results, and a report download carrying a
// 1 MB Base64 blob. Both sides start from the UTF-8 bytes of the body, as
// they arrive from the connection. Then the largest download the client
// expects, a 50 MB report as 67 MB of Base64 in one string, read the way the
// client reads it, and the blob codecs on their own.
#include "client/base64.h"
#include "client/json_text_escape.h"
#include "client/json_value.h"
#include "client/nura_json_reply.h"

#include <benchmark/benchmark.h>
#include <nlohmann/json.hpp>

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <string>

namespace {

TJSONValue& AddMember(TJSONObject& object, const char* name, TJSONKind kind)
{
    return object.Item(object.Add(TJSONMember(QString::fromLatin1(name), kind))).value;
}

// The envelope of every reply: [{"status":200, "data":{"connection_id":..,
// "results":[..]}}]; returns the results array.
TJSONArray& AddEnvelope(TJSONValue& reply)
{
    TJSONArray& root = reply.AsArray();
    TJSONObject& envelope = root.Item(root.Add(TJSONValue(TJSONKind::Object))).AsObject();
    AddMember(envelope, "status", TJSONKind::Number).SetNumber(200);
    TJSONObject& data = AddMember(envelope, "data", TJSONKind::Object).AsObject();
    AddMember(data, "connection_id", TJSONKind::String)
        .SetRawString("5f0c2a9e-41b7-4d1e-9a63-0d2b7c81e4f5");
    return AddMember(data, "results", TJSONKind::Array).AsArray();
}

TJSONArray& AddPair(TJSONArray& results, int kind)
{
    TJSONArray& pair = results.Item(results.Add(TJSONValue())).AsArray();
    pair.Add(TJSONValue(static_cast<long double>(kind)));
    return pair;
}

// Escaped Polish text as the server writes it: ASCII words, some with
// "\u00F3"-style escapes, 40 to 200 characters.
QByteArray RecordField(int index)
{
    static const char* const words[] = {
        "Biblioteka ",
        "czytelnia ",
        "g\\u0142\\u00F3wna ",
        "wypo\\u017Cyczenie ",
        "sygnatura ",
        "egzemplarz ",
        "katalog ",
        "s\\u0142ownik ",
        "zbiory ",
        "rewers ",
    };
    const int length = 40 + (index * 53) % 161;
    QByteArray field;
    for (int i = index; field.size() < length; ++i)
        field += words[i % 10];
    return field;
}

QByteArray TypicalReply()
{
    TJSONValue reply;
    TJSONArray& results = AddEnvelope(reply);
    AddPair(results, 1).Add(TJSONValue(30.0L));
    for (int i = 1; i <= 30; ++i) {
        if (i % 4 == 0)
            AddPair(results, 1).Add(TJSONValue(static_cast<long double>(i * 1234567)));
        else
            AddPair(results, 2).Add(TJSONValue(RecordField(i)));
    }
    return reply.ToUtf8();
}

QByteArray RandomBytes(qsizetype size)
{
    QByteArray bytes(size, '\0');
    std::uint32_t seed = 12345;
    for (qsizetype i = 0; i < size; ++i) {
        seed = seed * 1103515245u + 12345u;
        bytes[i] = static_cast<char>(seed >> 16);
    }
    return bytes;
}

// `size` bytes as a download reply carries them: escaped Base64 text, "/"
// written as "\/", as every string in a reply is.
QByteArray BlobReply(qsizetype size)
{
    TJSONValue reply;
    AddPair(AddEnvelope(reply), 3).Add(TJSONValue(EscapedBase64(RandomBytes(size))));
    return reply.ToUtf8();
}

// A 1 MB text of Base64, as before.
constexpr qsizetype kBlobBytes = 1024 * 1024 * 3 / 4;
// The 50 MB report.
constexpr qsizetype kReportBytes = 50 * 1024 * 1024;

const QByteArray& Typical()
{
    static const QByteArray text = TypicalReply();
    return text;
}

const QByteArray& Blob()
{
    static const QByteArray text = BlobReply(kBlobBytes);
    return text;
}

const QByteArray& Report()
{
    static const QByteArray text = BlobReply(kReportBytes);
    return text;
}

void ParseOurs(benchmark::State& state, const QByteArray& body)
{
    for (auto _ : state) {
        TJSONValue reply;
        reply.Parse(body);
        benchmark::DoNotOptimize(reply);
    }
    state.SetBytesProcessed(state.iterations() * body.size());
}

void ParseNlohmann(benchmark::State& state, const QByteArray& body)
{
    const std::string text = body.toStdString();
    for (auto _ : state) {
        nlohmann::json reply = nlohmann::json::parse(text);
        benchmark::DoNotOptimize(reply);
    }
    state.SetBytesProcessed(state.iterations() * body.size());
}

void WriteOurs(benchmark::State& state, const QByteArray& body)
{
    TJSONValue reply;
    reply.Parse(body);
    for (auto _ : state) {
        QByteArray text = reply.ToUtf8();
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(state.iterations() * body.size());
}

void WriteNlohmann(benchmark::State& state, const QByteArray& body)
{
    const nlohmann::json reply = nlohmann::json::parse(body.toStdString());
    for (auto _ : state) {
        std::string text = reply.dump(2);
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(state.iterations() * body.size());
}

void BM_ParseTypical_Ours(benchmark::State& state)
{
    ParseOurs(state, Typical());
}
void BM_ParseTypical_Nlohmann(benchmark::State& state)
{
    ParseNlohmann(state, Typical());
}
void BM_WriteTypical_Ours(benchmark::State& state)
{
    WriteOurs(state, Typical());
}
void BM_WriteTypical_Nlohmann(benchmark::State& state)
{
    WriteNlohmann(state, Typical());
}
void BM_ParseBlob_Ours(benchmark::State& state)
{
    ParseOurs(state, Blob());
}
void BM_ParseBlob_Nlohmann(benchmark::State& state)
{
    ParseNlohmann(state, Blob());
}
void BM_WriteBlob_Ours(benchmark::State& state)
{
    WriteOurs(state, Blob());
}
void BM_WriteBlob_Nlohmann(benchmark::State& state)
{
    WriteNlohmann(state, Blob());
}

// The client's whole read of a report download: the body parsed (handed
// over shared, as Parse consumes it), the envelope checked, and the blob
// decoded into its bytes. Bytes processed are those of the body.
void BM_ReadReportDownload(benchmark::State& state)
{
    const QByteArray& body = Report();
    for (auto _ : state) {
        NuraJsonReply reply;
        if (!reply.Parse(body).isEmpty())
            state.SkipWithError("reply refused");
        QByteArray bytes;
        if (!reply.ReadBlob(0, bytes) || bytes.size() != kReportBytes)
            state.SkipWithError("blob not read");
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(state.iterations() * body.size());
}

// The parse alone.
void BM_ParseReport(benchmark::State& state)
{
    const QByteArray& body = Report();
    for (auto _ : state) {
        TJSONValue reply;
        reply.Parse(body);
        benchmark::DoNotOptimize(reply);
    }
    state.SetBytesProcessed(state.iterations() * body.size());
}

// Unescaping and decoding the 67 MB string in one pass.
void BM_DecodeEscapedBase64(benchmark::State& state)
{
    TJSONValue reply;
    reply.Parse(Report());
    const QByteArray& raw = reply.AsArray()
                                .Item(0)
                                .AsObject()
                                .Find(QStringLiteral("data"))
                                ->value.AsObject()
                                .Find(QStringLiteral("results"))
                                ->value.AsArray()
                                .Item(0)
                                .AsArray()
                                .Item(1)
                                .RawString();
    for (auto _ : state) {
        QByteArray bytes = DecodeEscapedBase64(raw);
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(state.iterations() * raw.size());
}

// An upload the same size: the 50 MB file as escaped Base64.
void BM_EscapedBase64(benchmark::State& state)
{
    const QByteArray bytes = RandomBytes(kReportBytes);
    for (auto _ : state) {
        QByteArray text = EscapedBase64(bytes);
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(state.iterations() * kReportBytes);
}

} // namespace

BENCHMARK(BM_ParseTypical_Ours);
BENCHMARK(BM_ParseTypical_Nlohmann);
BENCHMARK(BM_WriteTypical_Ours);
BENCHMARK(BM_WriteTypical_Nlohmann);
BENCHMARK(BM_ParseBlob_Ours);
BENCHMARK(BM_ParseBlob_Nlohmann);
BENCHMARK(BM_WriteBlob_Ours);
BENCHMARK(BM_WriteBlob_Nlohmann);
BENCHMARK(BM_ReadReportDownload)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseReport)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeEscapedBase64)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EscapedBase64)->Unit(benchmark::kMillisecond);
