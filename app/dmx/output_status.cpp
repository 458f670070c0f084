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
    tell(output);
}

void OutputStates::remove(const std::string& name) {
    auto known = std::find_if(outputs_.begin(), outputs_.end(),
                              [&](const OutputState& o) { return o.name == name; });
    if (known == outputs_.end()) return;
    OutputState gone{known->name, known->target, ""};
    outputs_.erase(known);
    tell(gone);
}

size_t OutputStates::watch(Watcher watcher) {
    watchers_.emplace_back(++lastWatcher_, std::move(watcher));
    return lastWatcher_;
}

void OutputStates::unwatch(size_t watcher) {
    std::erase_if(watchers_, [watcher](const auto& entry) { return entry.first == watcher; });
}

void OutputStates::tell(const OutputState& output) const {
    // A copy: a watcher may add another watcher.
    auto watchers = watchers_;
    for (const auto& entry : watchers) entry.second(output);
}

}  // namespace dmx
