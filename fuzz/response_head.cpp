// Any bytes a server answers the HTTP client: a head is found only once its blank line is there,
// its body starts within the bytes received, and the length it announces is never negative.
#include "logic_support.h"
#include "server/http_response_head.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::optional<http::ResponseHead> head =
        http::parseResponseHead(fuzz::asText(data, size));
    if (!head) return 0;
    fuzz::check(head->bodyOffset >= 2 && head->bodyOffset <= size);
    fuzz::check(head->contentLength >= 0);
    return 0;
}
