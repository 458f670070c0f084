#pragma once
// The level store: one level per DMX channel, kept in memory for the life of the program.

#include <array>
#include <cstdint>
#include <string>

#include "platform/files.h"

namespace Module1 {

// Element n is the level of channel n as the byte value to transmit; element 0 is never sent.
inline std::array<int32_t, 513> DMXdata{};
inline std::string currentShowFile = "default.shw";

void loadShowFile(const platform::FolderItem& item);

}  // namespace Module1
