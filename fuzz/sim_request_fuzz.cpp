// Feeds any bytes to the simulator's request reader, as a broken or hostile
// client might send them. Every request must end in a parsed request or an
// error text, never a crash, and its record line must be writable.
#include "record_line.h"
#include "request_parser.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    WireCodec codec;
    codec.utf8 = (data[0] & 1) != 0;
    if ((data[0] & 2) != 0)
        codec.loginKey = QByteArrayLiteral("XXklucz");
    LayoutContext context;
    context.moneyWithThreeMore = (data[0] & 4) != 0;
    BufferSource source(
        QByteArray(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1)));
    for (int requests = 0; source.Available() > 0 && requests < 64; ++requests) {
        const ParsedRequest request = ParseRequest(source, codec, context);
        if (request.layout == nullptr && request.error.isEmpty() && !request.fatal)
            std::abort(); // neither understood nor refused
        FormatRecordLine(request.items);
        if (request.fatal)
            break;
    }
    return 0;
}
