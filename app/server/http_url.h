#pragma once
// Splitting a URL into what the HTTP client connects to and what it asks for.

#include <cstdint>
#include <string>
#include <string_view>

namespace http {

struct UrlParts {
    // Host part, with ":port" when the URL gives one; sent as the "Host" header.
    std::string server;
    // Path part, at least "/".
    std::string path;
    // The host to connect to, without the port.
    std::string address;
    int32_t port = 0;
};

// Any scheme ("xyz://") is dropped. A port that is absent or not a number gives defaultPort.
UrlParts parseURL(std::string_view url, int32_t defaultPort);

}  // namespace http
