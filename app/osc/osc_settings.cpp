#include "osc/osc_settings.h"

#include <charconv>

#include "netdmx/network_settings.h"

namespace osc {

std::optional<uint16_t> parsePort(std::string_view text) {
    int value = -1;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < 1 ||
        value > 65535)
        return std::nullopt;
    return uint16_t(value);
}

ReadOscSettings readOscSettings(const settings::ExtraSettings& file) {
    ReadOscSettings read;
    auto valueOf = [&file](const char* key) {
        auto found = file.find(key);
        return found == file.end() ? std::string() : found->second;
    };
    const std::string port = valueOf("osc.port");
    read.settings.allow = netdmx::splitHosts(valueOf("osc.allow"));
    if (port.empty()) return read;
    read.settings.port = parsePort(port);
    if (!read.settings.port)
        read.error = std::string("osc.port must be ") + portRule + ", not \"" + port + "\"";
    return read;
}

void storeOscSettings(const OscSettings& osc, settings::ExtraSettings& file) {
    file["osc.port"] = osc.port ? std::to_string(*osc.port) : "";
    file["osc.allow"] = netdmx::joinHosts(osc.allow);
}

OscSettings withOverrides(OscSettings saved, const OscSettings& overrides) {
    if (overrides.port) saved.port = overrides.port;
    if (!overrides.allow.empty()) saved.allow = overrides.allow;
    return saved;
}

}  // namespace osc
