#pragma once
// The program's command line.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "netdmx/network_overrides.h"
#include "osc/osc_options.h"

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
    std::string showFile;
    // --fixtures DIR, each a folder of fixture definitions searched before the installed ones.
    std::vector<std::string> fixtureFolders;
    // --sacn, --sacn-to, --sacn-priority, --artnet, --artnet-to
    netdmx::NetworkOverrides network;
    // --osc, --osc-allow
    osc::OscSettings osc;
};

struct Parsed {
    Options options;
    // Empty when the arguments are good; else what is wrong with them.
    std::string error;
};

Parsed parseArguments(const std::vector<std::string>& arguments);
std::string usage();

}  // namespace launch
