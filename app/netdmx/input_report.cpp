#include "netdmx/input_report.h"

namespace netdmx {

namespace {

const char* protocolKey(InputProtocol protocol) {
    return protocol == InputProtocol::sacn ? "sacn" : "artnet";
}

std::string universeHead(InputProtocol protocol, int universe) {
    return std::string(protocol == InputProtocol::sacn ? "sACN" : "Art-Net") + " in universe " +
           std::to_string(universe) + ": ";
}

std::string sourcesCounted(int count) {
    return std::to_string(count) + (count == 1 ? " source" : " sources");
}

}  // namespace

nlohmann::ordered_json inputListing(const Slots& levels, const std::vector<InputSourceInfo>& sources) {
    nlohmann::ordered_json listed = nlohmann::ordered_json::array();
    for (const InputSourceInfo& source : sources) {
        nlohmann::ordered_json priority = nullptr;
        if (source.priority) priority = *source.priority;
        listed.push_back({{"name", source.name},
                          {"address", source.address},
                          {"protocol", protocolKey(source.protocol)},
                          {"priority", priority},
                          {"age_ms", source.ageMs}});
    }
    return {{"levels", levels}, {"sources", listed}};
}

std::string sourceCountLine(InputProtocol protocol, int universe, int count) {
    return universeHead(protocol, universe) + sourcesCounted(count);
}

std::string turnedAwayLine(InputProtocol protocol, int universe, int count, const std::string& name,
                           const std::string& address) {
    const std::string who = name.empty() ? address : name + " (" + address + ")";
    return universeHead(protocol, universe) + sourcesCounted(count) + " already, ignoring " + who;
}

}  // namespace netdmx
