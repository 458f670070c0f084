#include "dmx/level_view.h"

#include <charconv>

namespace dmx {

std::string levelViewText(const Module1::LevelStore& levels) {
    std::string text;
    text.reserve(levels.size() * 4);
    char digits[12];
    for (size_t ch = 1; ch < levels.size(); ++ch) {
        text += ' ';
        text.append(digits, std::to_chars(digits, digits + sizeof digits, levels[ch]).ptr);
    }
    return text;
}

}  // namespace dmx
