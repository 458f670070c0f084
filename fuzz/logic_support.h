#pragma once
// Checks shared by the fuzzers of the program's own parsers.

#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace fuzz {

inline std::string_view asText(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A failed check stops the fuzzer with the input that broke it.
inline void check(bool holds) {
    if (!holds) std::abort();
}

// An empty view, or one that lies within whole: a parser's answer points into its input.
inline bool within(std::string_view part, std::string_view whole) {
    return part.empty() || (part.data() >= whole.data() &&
                            part.data() + part.size() <= whole.data() + whole.size());
}

// The text cut at each LF, as the program's line readers see a file.
inline std::vector<std::string_view> lines(std::string_view text) {
    std::vector<std::string_view> result;
    size_t start = 0;
    while (true) {
        size_t end = text.find('\n', start);
        result.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) return result;
        start = end + 1;
    }
}

}  // namespace fuzz
