#pragma once
// The E1.31-2018 (sACN) data packet: root, framing and DMP layers as the standard lays them out,
// carrying start code 0 and the full 512 slots.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace netdmx {

inline constexpr int sacnPort = 5568;
inline constexpr int slotCount = 512;
using Slots = std::array<uint8_t, slotCount>;
using Cid = std::array<uint8_t, 16>;

struct SacnSource {
    Cid cid{};
    std::string name;  // at most 63 bytes are sent; see sourceName
    uint8_t priority = 100;
    uint16_t universe = 1;
};

// One data packet; terminated sets the Stream_Terminated option.
std::vector<uint8_t> sacnDataPacket(const SacnSource& source, uint8_t sequence, bool terminated,
                                    const Slots& slots);

// The multicast group of a universe, 239.255.hi.lo.
std::string sacnMulticastAddress(uint16_t universe);

// "Brannic Webserver on HOST", cut to 63 bytes without splitting a UTF-8 character.
std::string sourceName(const std::string& hostName);

}  // namespace netdmx
