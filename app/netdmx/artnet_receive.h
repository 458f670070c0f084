#pragma once
// A received ArtDmx packet (Art-Net 4, OpCode 0x5000), read defensively: anything else, an older
// protocol version or a length out of 2 to 512 (even) is left unused.

#include <cstdint>
#include <optional>
#include <span>

#include "netdmx/e131_packet.h"

namespace netdmx {

struct ArtDmx {
    uint8_t sequence = 0;
    uint8_t physical = 0;
    uint16_t portAddress = 0;  // Net, Sub-Net and Universe: 15 bits
    // The slots the packet carries, 2 to 512; those after them are 0.
    int carried = 0;
    Slots slots{};
};

std::optional<ArtDmx> parseArtDmx(std::span<const uint8_t> bytes);

}  // namespace netdmx
