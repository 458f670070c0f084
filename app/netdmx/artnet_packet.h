#pragma once
// The Art-Net 4 ArtDmx packet (OpCode 0x5000, protocol version 14) with all 512 slots.

#include <cstdint>
#include <vector>

#include "netdmx/e131_packet.h"

namespace netdmx {

inline constexpr int artNetPort = 6454;
// Net (7 bits), Sub-Net (4 bits) and Universe (4 bits).
inline constexpr int maxPortAddress = 0x7fff;

std::vector<uint8_t> artDmxPacket(uint16_t portAddress, uint8_t sequence, const Slots& slots);

// The sequence after this one: 1 to 255, then 1 again; 0 would tell receivers not to reorder.
uint8_t nextArtNetSequence(uint8_t sequence);

}  // namespace netdmx
