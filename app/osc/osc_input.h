#pragma once
// The running OSC input: the socket on its port, the sender gate and the fault reports, feeding
// the main window's console. It reports where it listens to dmx::outputStates() and says on the
// main window's status line what a sender or an operator must know (the gate closed by the web
// login, packets that could not be read).

#include <string>
#include <vector>

#include "osc/osc_settings.h"

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

// Listens as the plan says, replacing what ran before (no port: OSC off).
void startInput(const InputPlan& plan);
void stopInput();
const OscSettings& runningInputSettings();

}  // namespace osc
