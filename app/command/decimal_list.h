#pragma once
// Lists of numbers as the operator sees them: each number after one space.

#include <cstdint>
#include <span>
#include <string>

namespace command {

// Appends " n" for every n of values, in order.
void appendSpacedDecimals(std::string& text, std::span<const int32_t> values);

}  // namespace command
