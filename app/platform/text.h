#pragma once
// The framework's text helpers over byte strings. Comparisons are byte for byte (letter case
// counts).

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// The number at the start of the text (after leading spaces and tabs), 0 when there is none.
double Val(std::string_view text);
// Val converted to a 32-bit integer: the fraction is dropped, values beyond the range saturate.
int32_t ValInt32(std::string_view text);
// Decimal text of an integer: no leading zeros, no plus sign, "-" for negatives.
std::string Str(int64_t value);
// The text without leading and trailing spaces.
std::string_view Trim(std::string_view text);
// 1-based position of the first occurrence of needle at or after start, 0 when absent.
size_t InStr(std::string_view haystack, std::string_view needle, size_t start = 1);
// Like InStr, letter case ignored (ASCII).
size_t InStrNoCase(std::string_view haystack, std::string_view needle);

}  // namespace platform
