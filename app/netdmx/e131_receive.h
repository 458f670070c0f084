#pragma once
// A received E1.31-2018 (sACN) packet, read defensively: a data packet's fields once every vector
// and length checks out, the universe discovery packet told apart, anything else left unused.

#include <cstdint>
#include <span>
#include <string>

#include "netdmx/e131_packet.h"

namespace netdmx {

inline constexpr uint8_t nullStartCode = 0x00;
inline constexpr uint8_t perAddressPriorityStartCode = 0xdd;

struct SacnData {
    Cid cid{};
    std::string name;
    uint8_t priority = 0;
    uint8_t sequence = 0;
    bool preview = false;
    bool terminated = false;
    uint16_t universe = 0;
    uint8_t startCode = 0;
    // The slots the packet carries, 0 to 512; those after them are 0.
    int carried = 0;
    Slots slots{};
};

enum class SacnKind { data, universeDiscovery, unusable };

struct SacnPacket {
    SacnKind kind = SacnKind::unusable;
    SacnData data;  // set when kind is data
};

SacnPacket parseSacnPacket(std::span<const uint8_t> bytes);

}  // namespace netdmx
