#pragma once
// Reads one statement: which channels it selects, at which level, in which mode.

#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "command/level_store.h"

namespace command {

using ChannelSet = std::bitset<Module1::lastChannel + 1>;

struct ParsedStatement {
    // The statement began with its end: nothing is selected, shown or stored.
    bool endedAtOnce = false;
    ChannelSet selection;
    // Percent, or the raw value in DMX mode; clamped only when applied.
    int32_t level = 100;
    bool dmxLevels = false;
    // The first channel the statement names beyond the last channel; such a statement is refused.
    std::optional<int32_t> channelBeyondLast;
};

// The value of the digits at the start of text; runs beyond the 32-bit range saturate.
int32_t numberValue(std::string_view text);

// Parses statement[1..]: element 0 is empty, the last element is the statement's separator.
// Parsing stops at the first channel beyond the last one, so a huge range costs nothing.
ParsedStatement parseStatement(const std::vector<std::string>& statement);

}  // namespace command
