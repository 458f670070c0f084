#pragma once
// What the outputs send: each level scaled by the grand master, nothing in blackout. The level
// store itself is never scaled, so a cue recorded at half master plays at full later.

#include "shell/module1.h"

namespace show {

// level × master / 100, rounded to the nearest with halves up (255 at 50% is 128); all zero in
// blackout. Element 0 is copied as it is.
Module1::LevelStore outputLevels(const Module1::LevelStore& levels, int32_t master, bool blackout);

}  // namespace show
