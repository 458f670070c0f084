#pragma once
// The switches kept in the extra settings file: the live read-back as "live", show control as
// "show".

#include <string>

#include "shell/module1.h"

namespace Module1 {

// Whether the extra settings (loaded) say the read-back was left on.
bool liveLevelsSaved();
// Sets liveLevels and keeps it in the extra settings file; the reason of a failure, empty when
// it was saved.
std::string saveLiveLevels(bool on);

// Whether the extra settings (loaded) say show control was left on.
bool showControlSaved();
// Keeps show control's switch in the extra settings file; the reason of a failure, empty when it
// was saved.
std::string saveShowControl(bool on);

}  // namespace Module1
