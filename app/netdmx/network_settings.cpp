#include "netdmx/network_settings.h"

namespace netdmx {

using settings::wholeNumber;

std::optional<uint16_t> parseUniverse(std::string_view text) {
    auto value = wholeNumber(text, 1, 63999);
    return value ? std::optional<uint16_t>(uint16_t(*value)) : std::nullopt;
}

std::optional<uint8_t> parsePriority(std::string_view text) {
    auto value = wholeNumber(text, 0, 200);
    return value ? std::optional<uint8_t>(uint8_t(*value)) : std::nullopt;
}

std::optional<uint16_t> parsePortAddress(std::string_view text) {
    auto value = wholeNumber(text, 0, 0x7fff);
    return value ? std::optional<uint16_t>(uint16_t(*value)) : std::nullopt;
}

std::vector<std::string> splitHosts(std::string_view text) {
    std::vector<std::string> hosts;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of(", \t", start);
        if (end == std::string_view::npos) end = text.size();
        if (end > start) hosts.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return hosts;
}

std::string joinHosts(const std::vector<std::string>& hosts) {
    std::string text;
    for (const std::string& host : hosts) text += (text.empty() ? "" : ",") + host;
    return text;
}

ReadNetworkSettings readNetworkSettings(const settings::ExtraSettings& file) {
    ReadNetworkSettings read;
    NetworkSettings& network = read.settings;
    auto number = [&](const char* key, auto parse, const char* rule, auto& into) {
        std::string text = settings::settingValue(file, key);
        if (text.empty()) return;
        if (auto value = parse(text)) {
            into = *value;
        } else if (read.error.empty()) {
            read.error = std::string(key) + " must be " + rule + ", not \"" + text + "\"";
        }
    };
    network.sacn.enabled = settings::settingValue(file, "sacn.enabled") == "true";
    number("sacn.universe", parseUniverse, universeRule, network.sacn.universe);
    number("sacn.priority", parsePriority, priorityRule, network.sacn.priority);
    network.sacn.hosts = splitHosts(settings::settingValue(file, "sacn.hosts"));
    network.artnet.enabled = settings::settingValue(file, "artnet.enabled") == "true";
    number("artnet.port_address", parsePortAddress, portAddressRule, network.artnet.portAddress);
    network.artnet.hosts = splitHosts(settings::settingValue(file, "artnet.hosts"));
    if (!read.error.empty()) read.settings = NetworkSettings{};
    return read;
}

void storeNetworkSettings(const NetworkSettings& network, settings::ExtraSettings& file) {
    file["sacn.enabled"] = network.sacn.enabled ? "true" : "false";
    file["sacn.universe"] = std::to_string(network.sacn.universe);
    file["sacn.priority"] = std::to_string(network.sacn.priority);
    file["sacn.hosts"] = joinHosts(network.sacn.hosts);
    file["artnet.enabled"] = network.artnet.enabled ? "true" : "false";
    file["artnet.port_address"] = std::to_string(network.artnet.portAddress);
    file["artnet.hosts"] = joinHosts(network.artnet.hosts);
}

NetworkSettings withOverrides(NetworkSettings network, const NetworkOverrides& overrides) {
    SacnSettings& sacn = network.sacn;
    if (overrides.sacnUniverse) sacn.universe = *overrides.sacnUniverse;
    if (overrides.sacnPriority) sacn.priority = *overrides.sacnPriority;
    if (!overrides.sacnHosts.empty()) sacn.hosts = overrides.sacnHosts;
    if (overrides.sacnUniverse || overrides.sacnPriority || !overrides.sacnHosts.empty())
        sacn.enabled = true;
    ArtNetSettings& artnet = network.artnet;
    if (overrides.artnetPortAddress) artnet.portAddress = *overrides.artnetPortAddress;
    if (!overrides.artnetHosts.empty()) artnet.hosts = overrides.artnetHosts;
    if (overrides.artnetPortAddress || !overrides.artnetHosts.empty()) artnet.enabled = true;
    return network;
}

}  // namespace netdmx
