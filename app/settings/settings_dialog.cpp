#include "settings/settings_dialog.h"

#include "platform/events.h"
#include "settings/extra_settings.h"

void SettingsDialog::showSettingsInForce() {
    fillFromSettingsInForce();
    Show();
}

void SettingsDialog::applyAndSave(const std::string& problem, const std::function<void()>& apply) {
    if (!problem.empty()) {
        platform::MsgBox(title() + " not changed: " + problem);
        return;
    }
    apply();
    if (std::string error = Module1::saveExtraSettings(); !error.empty())
        platform::MsgBox(title() + " applied but not saved: " + error);
    Hide();
}
