#include "netdmx/run_plan.h"

#include <random>

#include "netdmx/cid.h"
#include "settings/extra_settings.h"

namespace netdmx {

RunPlan planThisRun(const NetworkOverrides& overrides) {
    RunPlan run;
    ReadNetworkSettings saved = readNetworkSettings(Module1::extraSettings);
    if (!saved.error.empty()) run.warning = "brannic-webserver.conf: " + saved.error;
    std::string problem = planOutputs(withOverrides(saved.settings, overrides), run.plan);
    if (!problem.empty()) {
        if (!overrides.sacnHosts.empty() || !overrides.artnetHosts.empty()) {
            run.error = problem;
            return run;
        }
        // The name server may be down at boot: a stage machine still starts, on its USB output.
        run.warning = "network output off: " + problem;
        run.plan = OutputPlan{};
    }
    if (giveInstallationCid(run.plan, Module1::extraSettings)) Module1::saveExtraSettings();
    return run;
}

bool giveInstallationCid(OutputPlan& plan, settings::ExtraSettings& file) {
    if (!plan.settings.sacn.enabled) return false;
    std::string& stored = file["sacn.cid"];
    if (auto cid = parseCid(stored)) {
        plan.cid = *cid;
        return false;
    }
    std::random_device random;
    Cid bytes;
    for (uint8_t& byte : bytes) byte = uint8_t(random());
    plan.cid = uuidV4(bytes);
    stored = formatCid(plan.cid);
    return true;
}

}  // namespace netdmx
