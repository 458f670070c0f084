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

// Host of the public-address service that tells the WAN address, with ":port" when it is not 80. It
// is not kept in the file; the command line may name another.
inline std::string wanServiceHost = "api.ipify.org";

// Loads the file once at start-up and sets the "Start Minimized" check mark. Without a readable
// file the values stay and the port index becomes -1 (none chosen).
void readConfig();
// Replaces the file with the current values and tells the user whether that worked.
void writeConfig();

}  // namespace Module1
