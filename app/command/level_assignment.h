#pragma once
// Applies a parsed statement to the channel selection and the level store.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "command/level_store.h"
#include "command/statement_parser.h"

namespace command {

// The byte to send for a level. The level is first clamped to its mode's top (255 raw, 100
// percent); percent levels scale by 2.55 and round halves away from zero.
int32_t outputValue(int32_t& level, bool dmxLevels);
// The byte for a percent 0 to 100, fractions included, rounded as a typed percent is.
int32_t percentValue(double percent);

// The result text of a statement refused for naming a channel beyond the last one.
std::string refusalCaption(int32_t channel);

// Stores the statement's level in its channels (or, when it selects none, in the channels of the
// last statement that did) and returns the result text: " 1 2 3 @ 50". A refused statement changes
// nothing and returns the reason.
std::string applyStatement(const ParsedStatement& parsed, std::vector<int32_t>& chanArray,
                           Module1::LevelStore& levels);

// Parses and applies one statement. Empty when it began with its end (nothing to show); dmxLevels
// tells whether the statement was in DMX mode.
std::optional<std::string> runStatement(const std::vector<std::string>& statement,
                                        std::vector<int32_t>& chanArray,
                                        Module1::LevelStore& levels, bool& dmxLevels);

}  // namespace command
