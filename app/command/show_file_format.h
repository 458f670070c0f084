#pragma once
// A line of a show file: a delimiter character at each end, fields separated by "," between them.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace command {

// The fields between the line's delimiters; none when nothing lies between them.
std::vector<std::string> showLineFields(std::string_view line);

// A label as one field: "%", ",", "[", "]" and control characters percent-escaped ("%2c"), every
// other byte kept.
void appendLabelField(std::string& text, std::string_view label);
// The label a field holds; nothing when an escape is not "%" and two hex digits.
std::optional<std::string> readLabelField(std::string_view field);

}  // namespace command
