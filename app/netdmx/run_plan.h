#pragma once
// The network outputs of this run: the saved settings with the command line's over them.

#include <string>

#include "netdmx/network_output.h"
#include "settings/extra_settings_format.h"

namespace netdmx {

struct RunPlan {
    OutputPlan plan;
    // A host named on the command line that does not resolve: the run should not start.
    std::string error;
    // A bad saved setting: the run starts without network outputs and says why.
    std::string warning;
};

// Reads the extra settings file; when the plan has sACN and the installation has no CID yet, makes
// one and saves the file.
RunPlan planThisRun(const NetworkOverrides& overrides);

// Gives a plan with sACN the installation's CID (sacn.cid), made once per installation from random
// bytes and put into the settings when missing. True when it was made: the caller saves them.
bool giveInstallationCid(OutputPlan& plan, settings::ExtraSettings& file);

}  // namespace netdmx
