#pragma once
// A line of a show file: a delimiter character at each end, fields separated by "," between them.

#include <string>
#include <string_view>
#include <vector>

namespace command {

// The fields between the line's delimiters; none when nothing lies between them.
std::vector<std::string> showLineFields(std::string_view line);

}  // namespace command
