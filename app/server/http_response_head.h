#pragma once
// The head of an HTTP response: status line and header lines, ended by a blank line. Servers end
// their lines with CR LF, LF or CR; all three are understood.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "server/http_headers.h"

namespace http {

struct ResponseHead {
    // The second field of the status line as a number.
    int32_t statusCode = 0;
    HttpHeaders headers;
    // "Content-length" when present and positive, else 0.
    int32_t contentLength = 0;
    // Where the body starts in the received bytes: past the blank line.
    size_t bodyOffset = 0;
};

// The head, once the received bytes hold all of it; nothing while it is still incomplete.
std::optional<ResponseHead> parseResponseHead(std::string_view received);

}  // namespace http
