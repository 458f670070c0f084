#pragma once
// The bytes of an HTTP/1.0 request without a body.

#include <string>
#include <string_view>

#include "server/http_headers.h"

namespace http {

// Sets "Host" to server and, for any method but POST, drops the body headers ("Content-type",
// "Content-length") from headers; then gives the request line, the header lines and the blank line.
// An empty action means GET.
std::string buildRequest(std::string_view action, const std::string& server, std::string_view path,
                         HttpHeaders& headers);

}  // namespace http
