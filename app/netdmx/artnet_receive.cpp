#include "netdmx/artnet_receive.h"

#include <algorithm>
#include <cstring>

namespace netdmx {

namespace {

constexpr uint8_t artNetId[8] = {'A', 'r', 't', '-', 'N', 'e', 't', 0};
constexpr size_t headerSize = 18;
constexpr uint16_t opDmx = 0x5000;
constexpr uint16_t oldestProtocol = 14;

}  // namespace

std::optional<ArtDmx> parseArtDmx(std::span<const uint8_t> bytes) {
    if (bytes.size() < headerSize || std::memcmp(bytes.data(), artNetId, sizeof artNetId) != 0)
        return std::nullopt;
    const uint16_t opCode = uint16_t(bytes[9] << 8 | bytes[8]);  // low byte first
    const uint16_t protocol = uint16_t(bytes[10] << 8 | bytes[11]);
    const int length = bytes[16] << 8 | bytes[17];
    if (opCode != opDmx || protocol < oldestProtocol || length < 2 || length > slotCount ||
        length % 2 != 0 || bytes.size() < headerSize + size_t(length))
        return std::nullopt;
    ArtDmx dmx;
    dmx.sequence = bytes[12];
    dmx.physical = bytes[13];
    dmx.portAddress = uint16_t((bytes[15] & 0x7f) << 8 | bytes[14]);
    dmx.carried = length;
    std::copy_n(bytes.begin() + headerSize, length, dmx.slots.begin());
    return dmx;
}

}  // namespace netdmx
