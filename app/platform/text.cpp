#include "platform/text.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace platform {

double Val(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    std::string_view rest = text.substr(i);
    if (!rest.empty() && rest.front() == '+') rest.remove_prefix(1);
    // Only digits start a number: from_chars alone would also take "inf" and "nan".
    size_t digit = (!rest.empty() && rest.front() == '-') ? 1 : 0;
    if (digit >= rest.size() ||
        !(std::isdigit(static_cast<unsigned char>(rest[digit])) || rest[digit] == '.')) {
        return 0.0;
    }
    double value = 0;
    auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
    if (ec == std::errc::result_out_of_range) {
        return (!rest.empty() && rest.front() == '-') ? -HUGE_VAL : HUGE_VAL;
    }
    return ec == std::errc() ? value : 0.0;
}

int32_t ValInt32(std::string_view text) {
    double value = std::trunc(Val(text));
    if (std::isnan(value)) return 0;
    if (value >= std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (value <= std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

std::string Str(int64_t value) {
    return std::to_string(value);
}

std::string_view Trim(std::string_view text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

size_t InStr(std::string_view haystack, std::string_view needle, size_t start) {
    if (start == 0) start = 1;
    if (start > haystack.size() + 1) return 0;
    size_t at = haystack.find(needle, start - 1);
    return at == std::string_view::npos ? 0 : at + 1;
}

size_t InStrNoCase(std::string_view haystack, std::string_view needle) {
    auto lower = [](char c) {
        return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    };
    if (needle.size() > haystack.size()) return 0;
    for (size_t at = 0; at + needle.size() <= haystack.size(); ++at) {
        size_t k = 0;
        while (k < needle.size() && lower(haystack[at + k]) == lower(needle[k])) ++k;
        if (k == needle.size()) return at + 1;
    }
    return 0;
}

}  // namespace platform
