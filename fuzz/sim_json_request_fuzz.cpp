// Feeds any bytes to the HTTPS side of the simulator as a request body, as a
// broken or hostile client might post them. Every body must end in a
// refusal, or in items that fit a layout or are refused in the shape the
// client reads; never in a crash. The record line and the reply document
// must be writable.
#include "item_request.h"
#include "json_reply.h"
#include "json_request.h"
#include "record_line.h"
#include "request_handler.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string body(reinterpret_cast<const char*>(data), size);
    JsonRequest posted;
    if (!ParseJsonRequest(body, posted).isEmpty())
        return 0;
    LayoutContext context;
    context.moneyWithThreeMore = size % 2 == 0;
    const ParsedRequest request = ParseItemRequest(posted.items, context);
    if (request.layout == nullptr && request.error.isEmpty())
        std::abort(); // neither understood nor refused
    FormatRecordLine(request.items);
    if (!request.error.isEmpty() &&
        JsonReplyBody(RequestHandler::ErrorReply(request), posted.connectionId).empty())
        std::abort();
    return 0;
}
