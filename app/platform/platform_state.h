#pragma once
// The platform layer's state that the program sets and changes as it runs, all of it here, with
// each member's fresh-launch value beside it, so one assignment (resetState) puts every one back.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace platform {

struct State {
    // Folders the program named instead of the defaults (platform/files.h); empty for none.
    std::filesystem::path preferencesFolder;
    std::filesystem::path applicationFolder;
    // Where messages go instead of a message box, and the latest ones, oldest first
    // (platform/events.h).
    std::function<void(const std::string&)> messageSink;
    std::vector<std::string> messageLog;
    // When a long loop last let events run, in milliseconds since the program started.
    int64_t lastYieldMs = 0;
};

inline State state;

inline void resetState() {
    state = State{};
}

}  // namespace platform
