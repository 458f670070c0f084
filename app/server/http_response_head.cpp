#include "server/http_response_head.h"

#include <array>
#include <string>
#include <vector>

#include "platform/text.h"

namespace http {

namespace {

struct HeadEnd {
    size_t headLength;
    size_t separatorLength;
};

// The first blank line in any of the three line-end styles. Taking the earliest one keeps a blank
// line inside the body (in another style than the head's) from being taken for the end of the head.
std::optional<HeadEnd> findHeadEnd(std::string_view received) {
    static constexpr std::array<std::string_view, 3> separators{"\r\n\r\n", "\n\n", "\r\r"};
    std::optional<HeadEnd> earliest;
    for (std::string_view separator : separators) {
        size_t at = received.find(separator);
        if (at != std::string_view::npos && (!earliest || at < earliest->headLength)) {
            earliest = HeadEnd{at, separator.size()};
        }
    }
    return earliest;
}

std::vector<std::string_view> splitLines(std::string_view head) {
    std::vector<std::string_view> lines;
    while (!head.empty()) {
        size_t end = head.find_first_of("\r\n");
        lines.push_back(head.substr(0, end));
        if (end == std::string_view::npos) break;
        bool crlf = head.compare(end, 2, "\r\n") == 0;
        head.remove_prefix(end + (crlf ? 2 : 1));
    }
    return lines;
}

int32_t statusOf(std::string_view statusLine) {
    size_t first = statusLine.find(' ');
    if (first == std::string_view::npos) return 0;
    std::string_view rest = statusLine.substr(first + 1);
    return platform::ValInt32(rest.substr(0, rest.find(' ')));
}

void addHeaderLine(std::string_view line, HttpHeaders& headers) {
    size_t colon = line.find(':');
    if (colon == std::string_view::npos) return;
    headers.set(line.substr(0, colon), std::string(platform::Trim(line.substr(colon + 1))));
}

}  // namespace

std::optional<ResponseHead> parseResponseHead(std::string_view received) {
    std::optional<HeadEnd> end = findHeadEnd(received);
    if (!end) return std::nullopt;
    std::vector<std::string_view> lines = splitLines(received.substr(0, end->headLength));
    ResponseHead head;
    head.bodyOffset = end->headLength + end->separatorLength;
    if (lines.empty()) return head;
    head.statusCode = statusOf(lines.front());
    for (size_t i = 1; i < lines.size(); ++i) addHeaderLine(lines[i], head.headers);
    int32_t length = platform::ValInt32(head.headers.value("Content-length"));
    head.contentLength = length > 0 ? length : 0;
    return head;
}

}  // namespace http
