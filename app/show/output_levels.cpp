#include "show/output_levels.h"

namespace show {

Module1::LevelStore outputLevels(const Module1::LevelStore& levels, int32_t master, bool blackout) {
    Module1::LevelStore scaled = levels;
    for (int32_t channel = 1; channel <= Module1::lastChannel; ++channel) {
        scaled[channel] = blackout ? 0 : (levels[channel] * master + 50) / 100;
    }
    return scaled;
}

}  // namespace show
