// Our JSON model against nlohmann::json on the two replies the HTTPS client
// meets most: a record read of 30 results, and a report download carrying a
// 1 MB Base64 blob. Both sides start from the UTF-8 bytes of the body, as
// they arrive from the connection.
#include "client/json_value.h"

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
        .SetString(QStringLiteral("5f0c2a9e-41b7-4d1e-9a63-0d2b7c81e4f5"));
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
QString RecordField(int index)
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
    QString field;
    for (int i = index; field.size() < length; ++i)
        field += QLatin1String(words[i % 10]);
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
    return reply.ToText().toUtf8();
}

// 1 MB of Base64 text with its "/" escaped, as every string in a reply is.
QByteArray BlobReply()
{
    static const char alphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    QString blob;
    blob.reserve(1100000);
    std::uint32_t seed = 12345;
    for (int i = 0; i < 1024 * 1024; ++i) {
        seed = seed * 1103515245u + 12345u;
        const char c = alphabet[(seed >> 16) % 64];
        if (c == '/')
            blob += QLatin1Char('\\');
        blob += QLatin1Char(c);
    }
    TJSONValue reply;
    AddPair(AddEnvelope(reply), 3).Add(TJSONValue(blob));
    return reply.ToText().toUtf8();
}

const QByteArray& Typical()
{
    static const QByteArray text = TypicalReply();
    return text;
}

const QByteArray& Blob()
{
    static const QByteArray text = BlobReply();
    return text;
}

void ParseOurs(benchmark::State& state, const QByteArray& body)
{
    for (auto _ : state) {
        TJSONValue reply;
        reply.Parse(QString::fromUtf8(body));
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
    reply.Parse(QString::fromUtf8(body));
    for (auto _ : state) {
        QString text = reply.ToText();
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

} // namespace

BENCHMARK(BM_ParseTypical_Ours);
BENCHMARK(BM_ParseTypical_Nlohmann);
BENCHMARK(BM_WriteTypical_Ours);
BENCHMARK(BM_WriteTypical_Nlohmann);
BENCHMARK(BM_ParseBlob_Ours);
BENCHMARK(BM_ParseBlob_Nlohmann);
BENCHMARK(BM_WriteBlob_Ours);
BENCHMARK(BM_WriteBlob_Nlohmann);
