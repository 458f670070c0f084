#include "settings/extra_settings_format.h"

#include <charconv>

namespace settings {

ExtraSettings parseExtraSettings(std::string_view text) {
    ExtraSettings settings;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        size_t equals = line.find('=');
        if (line.empty() || line.front() == '#' || equals == std::string_view::npos) continue;
        settings[std::string(line.substr(0, equals))] = std::string(line.substr(equals + 1));
    }
    return settings;
}

std::vector<std::string> formatExtraSettings(const ExtraSettings& settings) {
    std::vector<std::string> lines;
    for (const auto& [key, value] : settings) lines.push_back(key + "=" + value);
    return lines;
}

std::string settingValue(const ExtraSettings& settings, const std::string& key) {
    auto found = settings.find(key);
    return found == settings.end() ? std::string() : found->second;
}

std::optional<int> wholeNumber(std::string_view text, int low, int high) {
    int value = -1;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < low ||
        value > high) {
        return std::nullopt;
    }
    return value;
}

}  // namespace settings
