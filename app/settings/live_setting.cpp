#include "settings/live_setting.h"

#include "settings/extra_settings.h"

namespace Module1 {

namespace {

constexpr const char* liveKey = "live";
constexpr const char* showKey = "show";

bool switchSaved(const char* key) {
    return settings::settingValue(extraSettings, key) == "true";
}

std::string saveSwitch(const char* key, bool on) {
    extraSettings[key] = on ? "true" : "false";
    return saveExtraSettings();
}

}  // namespace

bool liveLevelsSaved() {
    return switchSaved(liveKey);
}

std::string saveLiveLevels(bool on) {
    liveLevels = on;
    return saveSwitch(liveKey, on);
}

bool showControlSaved() {
    return switchSaved(showKey);
}

std::string saveShowControl(bool on) {
    return saveSwitch(showKey, on);
}

}  // namespace Module1
