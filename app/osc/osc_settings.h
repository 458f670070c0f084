#pragma once
// Where OSC is taken from, as kept in the extra settings file (osc.port, osc.allow).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "osc/osc_options.h"
#include "settings/extra_settings_format.h"

namespace osc {

struct ReadOscSettings {
    OscSettings settings;
    std::string error;  // a bad port; OSC is then off
};
ReadOscSettings readOscSettings(const settings::ExtraSettings& file);
void storeOscSettings(const OscSettings& osc, settings::ExtraSettings& file);

// The command line's port and hosts over the saved ones, for this run.
OscSettings withOverrides(OscSettings saved, const OscSettings& overrides);

}  // namespace osc
