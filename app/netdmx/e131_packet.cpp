#include "netdmx/e131_packet.h"

#include <algorithm>

namespace netdmx {

namespace {

constexpr size_t rootLayerStart = 16;
constexpr size_t framingLayerStart = 38;
constexpr size_t dmpLayerStart = 115;
constexpr size_t slotsStart = 126;
constexpr size_t packetSize = slotsStart + slotCount;
constexpr size_t sourceNameField = 64;
constexpr uint8_t streamTerminated = 0x40;

void put16(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(uint8_t(value >> 8));
    out.push_back(uint8_t(value));
}

void put32(std::vector<uint8_t>& out, uint32_t value) {
    put16(out, uint16_t(value >> 16));
    put16(out, uint16_t(value));
}

// Flags 0x7 in the high nibble, then the length of the layer from its own first byte to the end.
void putFlagsAndLength(std::vector<uint8_t>& out, size_t layerStart) {
    put16(out, uint16_t(0x7000 | (packetSize - layerStart)));
}

}  // namespace

std::vector<uint8_t> sacnDataPacket(const SacnSource& source, uint8_t sequence, bool terminated,
                                    const Slots& slots) {
    static constexpr uint8_t acnPacketIdentifier[12] = {'A', 'S', 'C', '-', 'E', '1',
                                                        '.', '1', '7', 0,   0,   0};
    std::vector<uint8_t> out;
    out.reserve(packetSize);
    // Root layer.
    put16(out, 0x0010);  // preamble size
    put16(out, 0x0000);  // post-amble size
    out.insert(out.end(), std::begin(acnPacketIdentifier), std::end(acnPacketIdentifier));
    putFlagsAndLength(out, rootLayerStart);
    put32(out, 0x00000004);  // VECTOR_ROOT_E131_DATA
    out.insert(out.end(), source.cid.begin(), source.cid.end());
    // Framing layer.
    putFlagsAndLength(out, framingLayerStart);
    put32(out, 0x00000002);  // VECTOR_E131_DATA_PACKET
    std::string name = source.name.substr(0, sourceNameField - 1);
    out.insert(out.end(), name.begin(), name.end());
    out.resize(out.size() + sourceNameField - name.size(), 0);
    out.push_back(source.priority);
    put16(out, 0);  // synchronization address: none
    out.push_back(sequence);
    out.push_back(terminated ? streamTerminated : 0);
    put16(out, source.universe);
    // DMP layer.
    putFlagsAndLength(out, dmpLayerStart);
    out.push_back(0x02);        // VECTOR_DMP_SET_PROPERTY
    out.push_back(0xa1);        // address type and data type
    put16(out, 0x0000);         // first property address
    put16(out, 0x0001);         // address increment
    put16(out, 1 + slotCount);  // property values: start code and slots
    out.push_back(0);           // start code
    out.insert(out.end(), slots.begin(), slots.end());
    return out;
}

std::string sacnMulticastAddress(uint16_t universe) {
    return "239.255." + std::to_string(universe >> 8) + "." + std::to_string(universe & 0xff);
}

std::string sourceName(const std::string& hostName) {
    std::string name = "Brannic Webserver on " + hostName;
    size_t length = std::min(name.size(), sourceNameField - 1);
    // Back off continuation bytes so the cut falls between characters.
    while (length < name.size() && length > 0 && (uint8_t(name[length]) & 0xc0) == 0x80) --length;
    return name.substr(0, length);
}

}  // namespace netdmx
