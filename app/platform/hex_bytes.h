#pragma once
// A byte as two hex digits: written lowercase, read in either case.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Into the two characters at out.
inline void writeHexByte(char* out, uint8_t byte) {
    static constexpr char digits[] = "0123456789abcdef";
    out[0] = digits[byte >> 4];
    out[1] = digits[byte & 15];
}

inline void appendHexByte(std::string& text, uint8_t byte) {
    char two[2];
    writeHexByte(two, byte);
    text.append(two, 2);
}

inline int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The byte the first two characters of two spell; nothing when they are not both hex digits.
inline std::optional<uint8_t> hexByte(std::string_view two) {
    if (two.size() < 2) return std::nullopt;
    const int high = hexDigitValue(two[0]), low = hexDigitValue(two[1]);
    if (high < 0 || low < 0) return std::nullopt;
    return uint8_t(high << 4 | low);
}

}  // namespace platform
