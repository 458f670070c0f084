#pragma once
// Cue numbers and fade times as the operator types and reads them: "2.5" is cue 25 in tenths,
// "1.25" seconds is 1250 ms.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace show {

// A cue number in tenths: cue 2.5 is 25.
using CueNumber = int32_t;
// Milliseconds of a steady clock, or a length of time.
using Milliseconds = int64_t;

inline constexpr CueNumber lowestCueNumber = 1;
inline constexpr CueNumber highestCueNumber = 99999;
inline constexpr Milliseconds longestFadeTime = 3'600'000;

// How long a fade takes for the channels that rise and for those that fall.
struct FadeTimes {
    Milliseconds up = 3000;
    Milliseconds down = 3000;
    bool operator==(const FadeTimes&) const = default;
};

// "5" or "2.5", from 0.1 to 9999.9; nothing for any other text.
std::optional<CueNumber> parseCueNumber(std::string_view text);
// Seconds from 0 to 3600, to the millisecond: "3", "0.5", "1.25".
std::optional<Milliseconds> parseSeconds(std::string_view text);
// "U" (both times) or "U/D".
std::optional<FadeTimes> parseFadeTimes(std::string_view text);
// A whole percent from 0 to 100.
std::optional<int32_t> parsePercent(std::string_view text);
// A percent from 0 to 100 with any decimals, rounded half up to a whole one: "50.5" is 51.
std::optional<int32_t> parseRoundedPercent(std::string_view text);

std::string cueNumberText(CueNumber number);
std::string secondsText(Milliseconds time);
// "3/5", always both times.
std::string fadeTimesText(FadeTimes times);

}  // namespace show
