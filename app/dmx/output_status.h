#pragma once
// What each DMX output is doing right now: the USB interface and any network output. The main
// window, the headless console and the live read-back all show this one list.

#include <functional>
#include <string>
#include <vector>

#include "platform/watchers.h"

namespace dmx {

struct OutputState {
    std::string name;    // what it is: "DMX USB Pro", "sACN", "Art-Net"
    std::string target;  // where it sends: "/dev/ttyUSB0", "universe 1 -> 239.255.0.1"
    std::string state;   // how it is: "sending", "waiting for the device", "error: ..."
    bool operator==(const OutputState&) const = default;
};

class OutputStates {
  public:
    // Adds the output or updates the one of that name; watchers hear of real changes only.
    void report(const OutputState& output);
    // The output is gone (disabled, or its port closed by the user).
    void remove(const std::string& name);
    const std::vector<OutputState>& all() const { return outputs_; }

    using Watcher = std::function<void(const OutputState&)>;
    // Called after each change with the output as it is now (state empty when it was removed),
    // until unwatch is given the number this returns.
    size_t watch(Watcher watcher) { return watchers_.watch(std::move(watcher)); }
    void unwatch(size_t watcher) { watchers_.unwatch(watcher); }

  private:
    std::vector<OutputState> outputs_;
    platform::Watchers<const OutputState&> watchers_;
};

}  // namespace dmx
