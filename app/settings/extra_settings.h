#pragma once
// The extra settings file, "brannic-webserver.conf" in the preferences folder.

#include <string>

#include "settings/extra_settings_format.h"
#include "shell/module1.h"

namespace Module1 {

// Reads the file; a missing or unreadable file leaves no values.
void loadExtraSettings();
// Replaces the file with extraSettings; the reason of a failure, empty when it was saved.
std::string saveExtraSettings();

}  // namespace Module1
