#pragma once
// The settings the program has beyond "Tolvex.config" (network outputs, live read-back): one
// "key=value" a line, kept in a file of their own so that file stays as it always was. Lines that
// are blank, start with '#' or have no '=' are skipped; a key given twice keeps its last value.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace settings {

using ExtraSettings = std::map<std::string, std::string>;

ExtraSettings parseExtraSettings(std::string_view text);
// The lines to write, "key=value" without line ends, in key order.
std::vector<std::string> formatExtraSettings(const ExtraSettings& settings);

// The value of key, empty when the settings have none.
std::string settingValue(const ExtraSettings& settings, const std::string& key);
// A whole number from low to high, the text nothing else; nothing for any other text.
std::optional<int> wholeNumber(std::string_view text, int low, int high);

}  // namespace settings
