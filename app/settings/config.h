#pragma once
// The settings, kept in "Tolvex.config" in the preferences folder: eight lines in a fixed order.

#include <cstdint>
#include <string>

#include "command/level_store.h"

namespace Module1 {

inline int32_t currentPortNumber = 0;
inline int32_t webServerPort = 80;
inline bool enableWAN = false;
inline bool requireLogin = false;
inline bool startMinimized = false;
inline std::string username;
inline std::string password;

void readConfig();
void writeConfig();

}  // namespace Module1
