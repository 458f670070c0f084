// Any settings files: "Tolvex.config" and the key=value file read without fault, and what was read
// is written and read back unchanged.
#include <string>

#include "logic_support.h"
#include "settings/config_format.h"
#include "settings/extra_settings_format.h"

namespace {

bool operator==(const settings::ConfigValues& a, const settings::ConfigValues& b) {
    return a.currentShowFile == b.currentShowFile && a.currentPortNumber == b.currentPortNumber &&
           a.webServerPort == b.webServerPort && a.enableWAN == b.enableWAN &&
           a.requireLogin == b.requireLogin && a.startMinimized == b.startMinimized &&
           a.username == b.username && a.password == b.password;
}

void configReadsBack(std::string_view text) {
    std::vector<std::string> fileLines;
    for (std::string_view line : fuzz::lines(text)) fileLines.emplace_back(line);
    const settings::ConfigValues values = settings::parseConfig(fileLines);
    fuzz::check(settings::parseConfig(settings::formatConfig(values)) == values);
}

void extraSettingsReadBack(std::string_view text) {
    const settings::ExtraSettings values = settings::parseExtraSettings(text);
    std::string written;
    for (const std::string& line : settings::formatExtraSettings(values)) {
        // A CR before the line end is taken for a CR LF line end, so such a value cannot come back.
        if (!line.empty() && line.back() == '\r') return;
        written += line + "\n";
    }
    fuzz::check(settings::parseExtraSettings(written) == values);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    configReadsBack(fuzz::asText(data, size));
    extraSettingsReadBack(fuzz::asText(data, size));
    return 0;
}
