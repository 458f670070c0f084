#include "netdmx/run_plan.h"

#include "settings/extra_settings.h"

namespace netdmx {

RunPlan planThisRun(const NetworkOverrides& overrides) {
    RunPlan run;
    ReadNetworkSettings saved = readNetworkSettings(Module1::extraSettings);
    if (!saved.error.empty()) run.warning = "brannic-webserver.conf: " + saved.error;
    std::string problem = planOutputs(withOverrides(saved.settings, overrides), run.plan);
    if (problem.empty()) return run;
    if (!overrides.sacnHosts.empty() || !overrides.artnetHosts.empty()) {
        run.error = problem;
    } else {
        // The name server may be down at boot: a stage machine still starts, on its USB output.
        run.warning = "network output off: " + problem;
        run.plan = OutputPlan{};
    }
    return run;
}

}  // namespace netdmx
