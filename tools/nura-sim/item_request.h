#pragma once

#include "request_parser.h"

// Checks a request that arrived as ready-made items (the JSON requests of
// the HTTPS side) against the same layouts as the TCP requests: the code
// byte, the sub-code byte where the code has one, the items of the layout in
// order and kind, and the upload as one last item where the layout has one.
// A request that does not fit gets `error` (and `layout` when its code was
// known), so that it is answered as on TCP; `items` stays as it came.
ParsedRequest ParseItemRequest(WireItems items, const LayoutContext& context);
