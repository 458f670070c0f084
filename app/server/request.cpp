#include "server/request.h"

#include "platform/text.h"

namespace server {

size_t headLength(std::string_view buffered) {
    size_t blankLine = platform::InStr(buffered, "\r\n\r\n");
    return blankLine == 0 ? 0 : blankLine + 3;
}

bool headTooLong(std::string_view buffered) {
    size_t length = headLength(buffered);
    return length == 0 ? buffered.size() > maxHeadLength : length > maxHeadLength;
}

std::string_view requestLine(std::string_view head) {
    size_t protocol = platform::InStr(head, "HTTP");
    if (protocol <= 2) return {};
    return head.substr(0, protocol - 2);
}

RequestKind classify(std::string_view requestLine) {
    if (requestLine == "GET /help") return RequestKind::help;
    return platform::InStr(requestLine, "=") == 0 ? RequestKind::formPage : RequestKind::command;
}

std::string_view queryValue(std::string_view requestLine) {
    size_t equals = platform::InStr(requestLine, "=");
    if (equals == 0) return {};
    std::string_view value = requestLine.substr(equals);
    size_t ampersand = platform::InStr(value, "&");
    return ampersand == 0 ? value : value.substr(0, ampersand);
}

std::optional<std::string_view> libraryQuery(std::string_view requestLine) {
    const std::string_view target = requestLine.substr(0, requestLine.find('#'));
    const size_t question = target.find('?');
    if (target.substr(0, question) != "GET /library") return std::nullopt;
    std::string_view fields = question == std::string_view::npos ? "" : target.substr(question + 1);
    while (!fields.empty()) {
        const size_t fieldEnd = fields.find('&');
        const std::string_view field = fields.substr(0, fieldEnd);
        if (field.starts_with("q=")) return field.substr(2);
        fields.remove_prefix(fieldEnd == std::string_view::npos ? fields.size() : fieldEnd + 1);
    }
    return std::string_view{};
}

}  // namespace server
