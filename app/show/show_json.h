#pragma once
// The show as the live read-back reports it:
// {"cue": 2, "next": 3, "fading": false, "progress": 1, "master": 100, "blackout": false,
//  "cues": [{"number": 2, "label": "Act 1", "up": 3, "down": 5}]}
// Cue numbers and times are JSON numbers (2.5, seconds); "cue" and "next" are null for none.

#include <nlohmann/json.hpp>

#include "show/show_engine.h"

namespace show {

// Labels come out as valid UTF-8, a bad byte replaced, so any dump of the object succeeds.
nlohmann::ordered_json showJson(const ShowEngine& engine, Milliseconds nowMs);
// The same without "cues": what changes during a fade, small whatever the length of the list.
nlohmann::ordered_json showStateJson(const ShowEngine& engine, Milliseconds nowMs);
// The "cues" array alone.
nlohmann::ordered_json cuesJson(const CueList& cues);

}  // namespace show
