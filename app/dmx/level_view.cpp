#include "dmx/level_view.h"

#include <span>

#include "command/decimal_list.h"

namespace dmx {

std::string levelViewText(const Module1::LevelStore& levels) {
    std::string text;
    command::appendSpacedDecimals(text, std::span(levels).subspan(1));
    return text;
}

}  // namespace dmx
