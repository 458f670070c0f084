#include "command/level_assignment.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "command/decimal_list.h"

namespace command {

namespace {

void appendDecimal(std::string& text, int64_t value) {
    char digits[24];
    auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    text.append(digits, end);
}

void takeSelection(const ChannelSet& selection, std::vector<int32_t>& chanArray) {
    chanArray.clear();
    for (int32_t ch = 0; ch <= Module1::lastChannel; ++ch) {
        if (selection.test(static_cast<size_t>(ch))) chanArray.push_back(ch);
    }
}

bool inStore(int32_t ch) {
    return ch >= 0 && ch <= Module1::lastChannel;
}

}  // namespace

int32_t outputValue(int32_t& level, bool dmxLevels) {
    if (dmxLevels) {
        level = std::min(level, 255);
        return level;
    }
    level = std::min(level, 100);
    return percentValue(level);
}

int32_t percentValue(double percent) {
    return static_cast<int32_t>(std::round(percent * 2.55));
}

std::string refusalCaption(int32_t channel) {
    std::string text = "Not applied: channel ";
    appendDecimal(text, channel);
    text += " is above ";
    appendDecimal(text, Module1::lastChannel);
    return text;
}

std::string applyStatement(const ParsedStatement& parsed, std::vector<int32_t>& chanArray,
                           Module1::LevelStore& levels) {
    if (parsed.channelBeyondLast) return refusalCaption(*parsed.channelBeyondLast);
    if (parsed.selection.any()) takeSelection(parsed.selection, chanArray);
    int32_t level = parsed.level;
    // Clamped once for all channels, and only when there are channels to store it in.
    if (!chanArray.empty()) {
        const int32_t value = outputValue(level, parsed.dmxLevels);
        for (int32_t ch : chanArray) {
            if (inStore(ch)) levels[static_cast<size_t>(ch)] = value;
        }
    }
    std::string caption;
    appendSpacedDecimals(caption, chanArray);
    caption += " @ ";
    appendDecimal(caption, level);
    return caption;
}

std::optional<std::string> runStatement(const std::vector<std::string>& statement,
                                        std::vector<int32_t>& chanArray,
                                        Module1::LevelStore& levels, bool& dmxLevels) {
    const ParsedStatement parsed = parseStatement(statement);
    dmxLevels = parsed.dmxLevels;
    if (parsed.endedAtOnce) return std::nullopt;
    return applyStatement(parsed, chanArray, levels);
}

}  // namespace command
