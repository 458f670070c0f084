#include "netdmx/artnet_packet.h"

namespace netdmx {

std::vector<uint8_t> artDmxPacket(uint16_t portAddress, uint8_t sequence, const Slots& slots) {
    std::vector<uint8_t> out = {'A', 'r', 't', '-', 'N', 'e', 't', 0};
    out.push_back(0x00);  // OpDmx 0x5000, low byte first
    out.push_back(0x50);
    out.push_back(0);  // protocol version, high byte first
    out.push_back(14);
    out.push_back(sequence);
    out.push_back(0);                                   // physical input port
    out.push_back(uint8_t(portAddress & 0xff));         // SubUni
    out.push_back(uint8_t((portAddress >> 8) & 0x7f));  // Net
    out.push_back(uint8_t(slotCount >> 8));             // length, high byte first
    out.push_back(uint8_t(slotCount & 0xff));
    out.insert(out.end(), slots.begin(), slots.end());
    return out;
}

uint8_t nextArtNetSequence(uint8_t sequence) {
    return sequence >= 255 ? 1 : uint8_t(sequence + 1);
}

}  // namespace netdmx
