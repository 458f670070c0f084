#include "settings/live_setting.h"

#include "settings/extra_settings.h"

namespace Module1 {

namespace {

constexpr const char* liveKey = "live";

}  // namespace

bool liveLevelsSaved() {
    auto found = extraSettings.find(liveKey);
    return found != extraSettings.end() && found->second == "true";
}

std::string saveLiveLevels(bool on) {
    liveLevels = on;
    extraSettings[liveKey] = on ? "true" : "false";
    return saveExtraSettings();
}

}  // namespace Module1
