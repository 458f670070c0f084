#include "server/http_request.h"

namespace http {

std::string buildRequest(std::string_view action, const std::string& server, std::string_view path,
                         HttpHeaders& headers) {
    headers.set("Host", server);
    std::string method = action.empty() ? "GET" : std::string(action);
    if (method != "POST") {
        headers.remove("Content-type");
        headers.remove("Content-length");
    }
    std::string request = method + " " + std::string(path) + " HTTP/1.0\r\n";
    for (const auto& [name, value] : headers.entries()) request += name + ": " + value + "\r\n";
    return request + "\r\n";
}

}  // namespace http
