// Feeds any bytes to the HTTPS client's reply reader as a response body and
// runs every reading rule over it. Each may fail only with its error text or
// the model's own error; an answer that fails has count 0, a record has a
// count of 1..50, and a blob decoded in one pass equals the blob unescaped
// and then decoded.
#include "client/base64.h"
#include "client/json_text_escape.h"
#include "client/nura_json_reply.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

namespace {

void CheckAnswer(const NuraJsonReply& reply)
{
    TAnswer answer;
    try {
        const QString error = reply.ReadAnswer(answer);
        if (answer.count < 0 || answer.count > kMaxReplyFields ||
            (!error.isEmpty() && answer.count != 0))
            std::abort();
    } catch (const TJSONError&) {
        if (answer.count != 0)
            std::abort();
    }
}

void CheckRecord(const NuraJsonReply& reply)
{
    try {
        const TNuraRecordPtr record = reply.ReadRecord(1);
        if (record && (record->count < 1 || record->count > kMaxReplyFields))
            std::abort();
    } catch (const TJSONError&) {
    }
}

// Both ways of decoding a string fail alike or give the same bytes.
void CheckBlobDecoding(const QByteArray& raw)
{
    QByteArray onePass;
    QString onePassError;
    try {
        onePass = DecodeEscapedBase64(raw);
    } catch (const TJSONError& error) {
        onePassError = error.Text();
    }
    QByteArray twoPasses;
    QString twoPassError;
    try {
        twoPasses = Base64Decode(UnescapeJsonText(raw).toUtf8());
    } catch (const TJSONError& error) {
        twoPassError = error.Text();
    }
    if (onePassError != twoPassError || onePass != twoPasses)
        std::abort();
}

void CheckBlobs(const NuraJsonReply& reply)
{
    const TJSONArray& results = reply.Results();
    for (int i = 0; i < results.Count() && i < 4; ++i) {
        QByteArray bytes;
        try {
            if (!reply.ReadBlob(i, bytes) && !bytes.isEmpty())
                std::abort();
        } catch (const TJSONError&) {
        }
        const TJSONValue& item = results.Item(i);
        if (item.Kind() == TJSONKind::Array && item.AsArray().Count() > 1 &&
            item.AsArray().Item(1).Kind() == TJSONKind::String)
            CheckBlobDecoding(item.AsArray().Item(1).RawString());
    }
}

void CheckStatus(const NuraJsonReply& reply)
{
    try {
        reply.ReadStatus();
    } catch (const TJSONError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    NuraJsonReply reply;
    const QString error =
        reply.Parse(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!error.isEmpty())
        return 0;
    CheckAnswer(reply);
    CheckRecord(reply);
    CheckBlobs(reply);
    CheckStatus(reply);
    return 0;
}
