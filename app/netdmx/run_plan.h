#pragma once
// The network outputs of this run: the saved settings with the command line's over them.

#include <string>

#include "netdmx/network_output.h"

namespace netdmx {

struct RunPlan {
    OutputPlan plan;
    // A host named on the command line that does not resolve: the run should not start.
    std::string error;
    // A bad saved setting: the run starts without network outputs and says why.
    std::string warning;
};

// Reads the extra settings file.
RunPlan planThisRun(const NetworkOverrides& overrides);

}  // namespace netdmx
