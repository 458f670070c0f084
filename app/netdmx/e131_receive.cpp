#include "netdmx/e131_receive.h"

#include <algorithm>
#include <cstring>

namespace netdmx {

namespace {

constexpr uint8_t rootPreamble[16] = {0x00, 0x10, 0x00, 0x00, 'A', 'S', 'C', '-',
                                      'E',  '1',  '.',  '1',  '7', 0,   0,   0};
constexpr size_t rootLayerStart = 16;
constexpr size_t framingLayerStart = 38;
constexpr size_t dmpLayerStart = 115;
constexpr size_t startCodeAt = 125;
constexpr size_t sourceNameField = 64;
// A discovery packet's framing layer (vector, name, reserved) and its list layer up to the pages.
constexpr size_t discoveryMinimum = framingLayerStart + 2 + 4 + sourceNameField + 4 + 8;

constexpr uint32_t rootData = 0x00000004;
constexpr uint32_t rootExtended = 0x00000008;
constexpr uint32_t framingData = 0x00000002;
constexpr uint32_t framingDiscovery = 0x00000002;
constexpr uint8_t previewOption = 0x80;
constexpr uint8_t terminatedOption = 0x40;
constexpr uint16_t lastDataUniverse = 63999;

uint16_t get16(std::span<const uint8_t> bytes, size_t at) {
    return uint16_t(bytes[at] << 8 | bytes[at + 1]);
}

uint32_t get32(std::span<const uint8_t> bytes, size_t at) {
    return uint32_t(get16(bytes, at)) << 16 | get16(bytes, at + 2);
}

// Flags 0x7 and the length of the layer from its own first byte to the end of the packet.
bool layerFills(std::span<const uint8_t> bytes, size_t layerStart) {
    return get16(bytes, layerStart) == (0x7000 | (bytes.size() - layerStart));
}

std::string nameField(std::span<const uint8_t> field) {
    auto end = std::find(field.begin(), field.end(), uint8_t(0));
    return std::string(field.begin(), end);
}

bool isUniverseDiscovery(std::span<const uint8_t> bytes) {
    return bytes.size() >= discoveryMinimum && get32(bytes, rootLayerStart + 2) == rootExtended &&
           get32(bytes, framingLayerStart + 2) == framingDiscovery;
}

bool dmpLayerValid(std::span<const uint8_t> bytes) {
    return layerFills(bytes, dmpLayerStart) && bytes[dmpLayerStart + 2] == 0x02 &&
           bytes[dmpLayerStart + 3] == 0xa1 && get16(bytes, dmpLayerStart + 4) == 0x0000 &&
           get16(bytes, dmpLayerStart + 6) == 0x0001 &&
           get16(bytes, dmpLayerStart + 8) == bytes.size() - startCodeAt;
}

SacnData readData(std::span<const uint8_t> bytes) {
    SacnData data;
    std::copy_n(bytes.begin() + rootLayerStart + 6, data.cid.size(), data.cid.begin());
    const size_t name = framingLayerStart + 6;
    data.name = nameField(bytes.subspan(name, sourceNameField));
    data.priority = bytes[name + sourceNameField];
    data.sequence = bytes[name + sourceNameField + 3];
    const uint8_t options = bytes[name + sourceNameField + 4];
    data.preview = options & previewOption;
    data.terminated = options & terminatedOption;
    data.universe = get16(bytes, name + sourceNameField + 5);
    data.startCode = bytes[startCodeAt];
    data.carried = int(bytes.size() - startCodeAt - 1);
    std::copy_n(bytes.begin() + startCodeAt + 1, data.carried, data.slots.begin());
    return data;
}

}  // namespace

SacnPacket parseSacnPacket(std::span<const uint8_t> bytes) {
    if (bytes.size() < framingLayerStart + 6 ||
        std::memcmp(bytes.data(), rootPreamble, sizeof rootPreamble) != 0 ||
        !layerFills(bytes, rootLayerStart) || !layerFills(bytes, framingLayerStart))
        return {};
    if (isUniverseDiscovery(bytes)) return {SacnKind::universeDiscovery, {}};
    if (bytes.size() <= startCodeAt || bytes.size() > startCodeAt + 1 + slotCount ||
        get32(bytes, rootLayerStart + 2) != rootData ||
        get32(bytes, framingLayerStart + 2) != framingData || !dmpLayerValid(bytes))
        return {};
    SacnData data = readData(bytes);
    if (data.universe == 0 || data.universe > lastDataUniverse) return {};
    return {SacnKind::data, std::move(data)};
}

}  // namespace netdmx
