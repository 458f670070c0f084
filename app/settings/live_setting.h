#pragma once
// The live read-back switch, kept as "live" in the extra settings file.

#include <string>

#include "shell/module1.h"

namespace Module1 {

// Whether the extra settings (loaded) say the read-back was left on.
bool liveLevelsSaved();
// Sets liveLevels and keeps it in the extra settings file; the reason of a failure, empty when
// it was saved.
std::string saveLiveLevels(bool on);

}  // namespace Module1
