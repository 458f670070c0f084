#pragma once
// The program's command line.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "netdmx/network_overrides.h"

namespace launch {

struct Options {
    bool headless = false;
    bool help = false;
    bool version = false;
    bool live = false;
    bool show = false;
    std::optional<int32_t> port;
    std::string prefsDir;
    std::string appDir;
    std::string wanService;
    std::string serialPort;
    // --sacn, --sacn-to, --sacn-priority, --artnet, --artnet-to
    netdmx::NetworkOverrides network;
};

struct Parsed {
    Options options;
    // Empty when the arguments are good; else what is wrong with them.
    std::string error;
};

Parsed parseArguments(const std::vector<std::string>& arguments);
std::string usage();

// The port given with --port: used for this run instead of the configured one, never saved.
std::optional<int32_t>& portOverride();
// The device given with --serial-port, empty when none: used for this run instead of the port that
// the settings file names by index, never saved; waited for when it is not there yet.
std::string& serialPortOverride();
// --live: the live read-back is on for this run, whatever the saved setting says.
bool& liveOverride();
// --show: show control is on for this run, whatever the saved setting says.
bool& showOverride();

}  // namespace launch
