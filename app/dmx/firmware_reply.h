#pragma once
// The interface's parameter reply, as shown in the DMX interface dialog.

#include <string>
#include <string_view>

namespace dmx {

// "OK, Firmware: <high> .<low> ." from the firmware version bytes at offsets 4 (low) and 5 (high).
// The reply is not checked; a missing byte counts as 0.
std::string firmwareReplyText(std::string_view reply);

}  // namespace dmx
