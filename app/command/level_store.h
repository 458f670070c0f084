#pragma once
// The level store: one level per DMX channel, kept in memory for the life of the program.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/files.h"

namespace Module1 {

// The highest channel of the universe; a level store holds channels 0 to lastChannel.
inline constexpr int32_t lastChannel = 512;
using LevelStore = std::array<int32_t, lastChannel + 1>;

// Element n is the level of channel n as the byte value to transmit; element 0 is never sent.
inline std::array<int32_t, 513> DMXdata{};
inline std::string currentShowFile = "default.shw";

// Reads the show file: every line, without its delimiters, split into its fields. Levels are left
// as they are; the fields are kept in showFields.
void loadShowFile(const platform::FolderItem& item);
inline std::vector<std::vector<std::string>> showFields;

}  // namespace Module1
