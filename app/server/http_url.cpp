#include "server/http_url.h"

#include "platform/text.h"

namespace http {

UrlParts parseURL(std::string_view url, int32_t defaultPort) {
    if (size_t scheme = url.find("://"); scheme != std::string_view::npos)
        url.remove_prefix(scheme + 3);
    UrlParts parts;
    size_t slash = url.find('/');
    parts.server = std::string(url.substr(0, slash));
    parts.path = slash == std::string_view::npos ? "/" : std::string(url.substr(slash));
    size_t colon = parts.server.find(':');
    parts.address = parts.server.substr(0, colon);
    int32_t port =
        colon == std::string::npos ? 0 : platform::ValInt32(parts.server.substr(colon + 1));
    parts.port = port != 0 ? port : defaultPort;
    return parts;
}

}  // namespace http
