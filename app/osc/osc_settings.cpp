#include "osc/osc_settings.h"

#include "netdmx/network_settings.h"

namespace osc {

std::optional<uint16_t> parsePort(std::string_view text) {
    auto value = settings::wholeNumber(text, 1, 65535);
    return value ? std::optional<uint16_t>(uint16_t(*value)) : std::nullopt;
}

ReadOscSettings readOscSettings(const settings::ExtraSettings& file) {
    ReadOscSettings read;
    const std::string port = settings::settingValue(file, "osc.port");
    read.settings.allow = netdmx::splitHosts(settings::settingValue(file, "osc.allow"));
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
