#include "dmx/output_status.h"

#include <algorithm>

namespace dmx {

void OutputStates::report(const OutputState& output) {
    auto known = std::find_if(outputs_.begin(), outputs_.end(),
                              [&](const OutputState& o) { return o.name == output.name; });
    if (known == outputs_.end()) {
        outputs_.push_back(output);
    } else if (*known == output) {
        return;
    } else {
        *known = output;
    }
    watchers_.tell(output);
}

void OutputStates::remove(const std::string& name) {
    auto known = std::find_if(outputs_.begin(), outputs_.end(),
                              [&](const OutputState& o) { return o.name == name; });
    if (known == outputs_.end()) return;
    OutputState gone{known->name, known->target, ""};
    outputs_.erase(known);
    watchers_.tell(gone);
}

}  // namespace dmx
