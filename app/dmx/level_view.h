#pragma once
// The level view's text: the levels of channels 1 to 512 in order, each after one space.

#include <string>

#include "shell/module1.h"

namespace dmx {

std::string levelViewText(const Module1::LevelStore& levels);

}  // namespace dmx
