#pragma once
// Module1: the program's state, all of it here. Each global keeps its fresh-launch value beside it
// in State, so one assignment (resetState) puts every one back and none can be missed. The names
// below are the ones the code uses.

#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "plugin/quilvane_abi.h"

namespace Module1 {

// The highest channel of the universe; a level store holds channels 0 to lastChannel. Element n
// is the level of channel n as the byte value to transmit; element 0 is never sent. The console
// owns the program's store (command/console.h).
inline constexpr int32_t lastChannel = 512;
using LevelStore = std::array<int32_t, lastChannel + 1>;

struct State {
    std::string currentShowFile = "default.shw";
    // Every line of the show file, without its delimiters, split into its fields.
    std::vector<std::vector<std::string>> showFields;

    // Settings (settings/): "Tolvex.config", then the extra settings file.
    int32_t currentPortNumber = 0;
    int32_t webServerPort = 80;
    bool enableWAN = false;
    bool requireLogin = false;
    bool startMinimized = false;
    std::string username;
    std::string password;
    // Host of the public-address service that tells the WAN address, with ":port" when it is not
    // 80. It is not kept in the file; the command line may name another.
    std::string wanServiceHost = "api.ipify.org";
    // The extra settings as read at start-up and changed since; empty until loaded.
    std::map<std::string, std::string> extraSettings;
    // Live read-back (settings/live_setting.h): GET /levels and GET /events answer with the
    // levels; off, they get the form page like any other path.
    bool liveLevels = false;

    // Command server (server/): the form page without its closing body and html tags.
    std::string pageContent;
    // The latest failed logins of each client address, oldest first (server/login_throttle.h).
    std::map<std::string, std::deque<std::chrono::steady_clock::time_point>, std::less<>>
        loginFailures;

    // The command line's choices for this run (ui/launch.h), never saved: the port of --port
    // instead of the configured one; the device of --serial-port instead of the port the settings
    // file names by index, waited for when it is not there yet; --live, the live read-back on
    // whatever the saved setting says.
    std::optional<int32_t> portOverride;
    std::string serialPortOverride;
    bool liveOverride = false;
    // --show: show control is on for this run, whatever the saved setting says.
    bool showOverride = false;
    // --show-file: the show file of this run instead of the one the settings file names (a
    // service keeps its show where it may write).
    std::string showFileOverride;
    // --fixtures: folders of fixture definitions searched before the installed library.
    std::vector<std::string> fixtureFolders;
};

inline State state;

inline std::string& currentShowFile = state.currentShowFile;
inline std::vector<std::vector<std::string>>& showFields = state.showFields;
inline int32_t& currentPortNumber = state.currentPortNumber;
inline int32_t& webServerPort = state.webServerPort;
inline bool& enableWAN = state.enableWAN;
inline bool& requireLogin = state.requireLogin;
inline bool& startMinimized = state.startMinimized;
inline std::string& username = state.username;
inline std::string& password = state.password;
inline std::string& wanServiceHost = state.wanServiceHost;
inline std::map<std::string, std::string>& extraSettings = state.extraSettings;
inline bool& liveLevels = state.liveLevels;
inline std::string& pageContent = state.pageContent;
inline auto& loginFailures = state.loginFailures;
inline std::optional<int32_t>& portOverride = state.portOverride;
inline std::string& serialPortOverride = state.serialPortOverride;
inline bool& liveOverride = state.liveOverride;
inline bool& showOverride = state.showOverride;
inline std::string& showFileOverride = state.showFileOverride;
inline std::vector<std::string>& fixtureFolders = state.fixtureFolders;

// Every global above back to its fresh-launch value.
inline void resetState() {
    state = State{};
}

// The plug-in's method addresses (server/entrypoints.h), bound once at start-up by
// bindPluginMethods: binding again is its reset. Entries 0 to 25 belong to the framework's own
// controls, which this host doesn't provide.
inline constexpr size_t encodeBase64Entry = 26;
inline constexpr size_t decodeURLComponentEntry = 27;
inline std::array<AnyFunction, 28> entrypointTable{};

}  // namespace Module1
