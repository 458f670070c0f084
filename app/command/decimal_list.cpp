#include "command/decimal_list.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>

namespace command {

namespace {

// " n" for the small numbers that channels and levels are, padded to four bytes.
struct SpacedText {
    char bytes[4];
    uint8_t length;
};

constexpr size_t smallLimit = 1000;

constexpr std::array<SpacedText, smallLimit> makeSmallTexts() {
    std::array<SpacedText, smallLimit> texts{};
    for (size_t n = 0; n < smallLimit; ++n) {
        SpacedText& text = texts[n];
        text.bytes[0] = ' ';
        const uint8_t digits = n >= 100 ? 3 : n >= 10 ? 2 : 1;
        size_t rest = n;
        for (uint8_t i = digits; i > 0; --i, rest /= 10)
            text.bytes[i] = static_cast<char>('0' + rest % 10);
        text.length = digits + 1;
    }
    return texts;
}

constexpr std::array<SpacedText, smallLimit> smallTexts = makeSmallTexts();

char* writeSpaced(char* out, int32_t value) {
    if (value >= 0 && static_cast<size_t>(value) < smallLimit) {
        const SpacedText& text = smallTexts[static_cast<size_t>(value)];
        std::memcpy(out, text.bytes, sizeof text.bytes);
        return out + text.length;
    }
    *out++ = ' ';
    return std::to_chars(out, out + 11, value).ptr;
}

}  // namespace

void appendSpacedDecimals(std::string& text, std::span<const int32_t> values) {
    // Written in blocks through a buffer: lists of all 512 channels are rebuilt after every line.
    constexpr size_t widest = sizeof " -2147483648" - 1;
    constexpr size_t block = 64;
    char buffer[block * widest];
    while (!values.empty()) {
        const std::span<const int32_t> part = values.first(std::min(block, values.size()));
        char* end = buffer;
        for (int32_t value : part) end = writeSpaced(end, value);
        text.append(buffer, end);
        values = values.subspan(part.size());
    }
}

}  // namespace command
