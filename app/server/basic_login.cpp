#include "server/basic_login.h"

#include <algorithm>
#include <cctype>

namespace server {

namespace {

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

std::string_view trimBlanks(std::string_view text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The value of the first header line with that name (names ignore letter case).
std::string_view headerValue(std::string_view head, std::string_view name) {
    size_t lineStart = head.find("\r\n");
    while (lineStart != std::string_view::npos) {
        lineStart += 2;
        size_t lineEnd = head.find("\r\n", lineStart);
        std::string_view line = head.substr(lineStart, lineEnd - lineStart);
        if (startsWithNoCase(line, name) && line.size() > name.size() && line[name.size()] == ':') {
            return trimBlanks(line.substr(name.size() + 1));
        }
        lineStart = lineEnd;
    }
    return {};
}

}  // namespace

bool constantTimeEquals(std::string_view a, std::string_view b) {
    unsigned difference = a.size() == b.size() ? 0 : 1;
    for (size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        unsigned char x = i < a.size() ? a[i] : 0;
        unsigned char y = i < b.size() ? b[i] : 0;
        difference |= static_cast<unsigned>(x ^ y);
    }
    return difference == 0;
}

std::string_view basicCredentials(std::string_view head) {
    std::string_view value = headerValue(head, "Authorization");
    constexpr std::string_view scheme = "Basic";
    if (!startsWithNoCase(value, scheme) || value.size() == scheme.size()) return {};
    if (value[scheme.size()] != ' ' && value[scheme.size()] != '\t') return {};
    return trimBlanks(value.substr(scheme.size()));
}

bool loginAccepted(std::string_view head, std::string_view expected) {
    std::string_view given = basicCredentials(head);
    return !given.empty() && constantTimeEquals(given, expected);
}

}  // namespace server
