#pragma once
// The running OSC input: the socket on its port, the sender gate and the fault reports, feeding
// the console. It reports where it listens to the output status list and tells its owner what a
// sender or an operator must know (the gate closed by the web login, packets that could not be
// read).

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "osc/osc_settings.h"

namespace command {
class Console;
}
namespace dmx {
class OutputStates;
}
namespace show {
class ShowControl;
}

namespace osc {

// Settings with their hosts looked up: what starting the input needs.
struct InputPlan {
    OscSettings settings;
    // The numeric addresses of settings.allow.
    std::vector<std::string> allowed;
};

// Looks up every allowed host; the reason when one does not resolve, and plan is left as it was.
std::string planInput(const OscSettings& settings, InputPlan& plan);

struct InputRun {
    InputPlan plan;
    // A host named on the command line that does not resolve: the run should not start.
    std::string error;
    // A bad saved setting or a saved host that does not resolve: OSC is off and says why.
    std::string warning;
};
// The saved settings (Module1::extraSettings) with the command line's over them.
InputRun planInputThisRun(const OscSettings& overrides);

class Listening;

class OscInput {
  public:
    using Note = std::function<void(const std::string& line)>;
    OscInput(command::Console& console, show::ShowControl& showControl, dmx::OutputStates& states,
             Note note);
    ~OscInput();
    OscInput(const OscInput&) = delete;
    OscInput& operator=(const OscInput&) = delete;

    // Listens as the plan says, replacing what ran before (no port: OSC off).
    void start(const InputPlan& plan);
    void stop();
    const OscSettings& runningSettings() const { return settings_; }

  private:
    command::Console& console_;
    show::ShowControl& showControl_;
    dmx::OutputStates& states_;
    Note note_;
    OscSettings settings_;
    std::unique_ptr<Listening> listening_;
};

}  // namespace osc
