#include "settings/config_format.h"

#include "platform/text.h"

namespace settings {

namespace {

std::string flagLine(const char* key, bool value) {
    return std::string(key) + (value ? "=true" : "=false");
}

// Only the exact lower-case "true" form sets a flag; any other text, spaces included, clears it.
bool flagIsSet(const std::string& line, const char* key) {
    return line == flagLine(key, true);
}

}  // namespace

std::vector<std::string> formatConfig(const ConfigValues& values) {
    return {values.currentShowFile,
            platform::Str(values.currentPortNumber),
            platform::Str(values.webServerPort),
            flagLine("enableWAN", values.enableWAN),
            flagLine("requireLogin", values.requireLogin),
            flagLine("startMinimized", values.startMinimized),
            values.username,
            values.password};
}

ConfigValues parseConfig(const std::vector<std::string>& lines) {
    auto line = [&lines](size_t number) {
        return number <= lines.size() ? lines[number - 1] : std::string();
    };
    ConfigValues values;
    values.currentShowFile = line(1);
    values.currentPortNumber = platform::ValInt32(line(2));
    values.webServerPort = platform::ValInt32(line(3));
    values.enableWAN = flagIsSet(line(4), "enableWAN");
    values.requireLogin = flagIsSet(line(5), "requireLogin");
    values.startMinimized = flagIsSet(line(6), "startMinimized");
    values.username = line(7);
    values.password = line(8);
    return values;
}

}  // namespace settings
