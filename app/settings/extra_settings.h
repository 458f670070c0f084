#pragma once
// The extra settings file, "brannic-webserver.conf" in the preferences folder.

#include <string>

#include "settings/extra_settings_format.h"

namespace Module1 {

// The values as read at start-up and changed since; empty until loadExtraSettings.
inline settings::ExtraSettings extraSettings;

// Reads the file; a missing or unreadable file leaves no values.
void loadExtraSettings();
// Replaces the file with extraSettings; the reason of a failure, empty when it was saved.
std::string saveExtraSettings();

}  // namespace Module1
