#pragma once
// The live read-back switch, kept as "live" in the extra settings file.

#include <string>

namespace Module1 {

// On: GET /levels and GET /events answer with the levels; off, they get the form page like any
// other path.
inline bool liveLevels = false;

// Whether the extra settings (loaded) say the read-back was left on.
bool liveLevelsSaved();
// Sets liveLevels and keeps it in the extra settings file; the reason of a failure, empty when
// it was saved.
std::string saveLiveLevels(bool on);

}  // namespace Module1
