#include <gtest/gtest.h>

#include "netdmx/artnet_packet.h"
#include "netdmx/artnet_receive.h"
#include "netdmx/e131_receive.h"

namespace {

using namespace netdmx;

TEST(SacnReceive, ReadsTheSendersPacketAndNothingCutOrAltered) {
    SacnSource sender{{0xc1, 2, 3}, "Desk 1", 150, 7};
    Slots slots{};
    slots[0] = 1;
    slots[511] = 255;
    const std::vector<uint8_t> bytes = sacnDataPacket(sender, 42, true, slots);
    SacnPacket packet = parseSacnPacket(bytes);
    ASSERT_EQ(packet.kind, SacnKind::data);
    EXPECT_EQ(packet.data.cid, sender.cid);
    EXPECT_EQ(packet.data.name, "Desk 1");
    EXPECT_EQ(packet.data.priority, 150);
    EXPECT_EQ(packet.data.sequence, 42);
    EXPECT_TRUE(packet.data.terminated);
    EXPECT_FALSE(packet.data.preview);
    EXPECT_EQ(packet.data.universe, 7);
    EXPECT_EQ(packet.data.carried, 512);
    EXPECT_EQ(packet.data.slots, slots);
    for (size_t size = 0; size < bytes.size(); ++size)
        EXPECT_EQ(parseSacnPacket(std::span(bytes).first(size)).kind, SacnKind::unusable) << size;
    // Preamble, identifier, each layer's length and vector, the DMP's types and count, the universe.
    for (size_t at : {1, 4, 16, 21, 38, 43, 115, 117, 118, 124, 114}) {
        std::vector<uint8_t> altered = bytes;
        altered[at] ^= at == 114 ? 7 : 1;
        EXPECT_EQ(parseSacnPacket(altered).kind, SacnKind::unusable) << at;
    }
}

TEST(SacnReceive, TellsUniverseDiscoveryFromData) {
    std::vector<uint8_t> bytes = {0, 0x10, 0, 0, 'A', 'S', 'C', '-', 'E', '1', '.', '1', '7', 0, 0, 0};
    const size_t size = 38 + 6 + 64 + 4 + 8 + 4;  // two universes listed
    auto layer = [&](size_t start, uint32_t vector) {
        for (int byte : {0x70 | int((size - start) >> 8), int((size - start) & 0xff), 0, 0, 0,
                         int(vector)})
            bytes.push_back(uint8_t(byte));
    };
    layer(16, 8);
    bytes.resize(38, 0xc1);  // CID
    layer(38, 2);
    bytes.resize(112, 0);  // name, reserved
    layer(112, 1);
    for (int byte : {0, 0, 0, 1, 0, 2}) bytes.push_back(uint8_t(byte));  // pages, universes 1 and 2
    EXPECT_EQ(parseSacnPacket(bytes).kind, SacnKind::universeDiscovery);
}

TEST(ArtDmxReceive, ReadsTheSendersPacketAndRejectsOthers) {
    Slots slots{};
    slots[0] = 9;
    slots[511] = 200;
    const std::vector<uint8_t> bytes = artDmxPacket(0x7abc, 5, slots);
    std::optional<ArtDmx> dmx = parseArtDmx(bytes);
    ASSERT_TRUE(dmx);
    EXPECT_EQ(dmx->portAddress, 0x7abc);
    EXPECT_EQ(dmx->sequence, 5);
    EXPECT_EQ(dmx->carried, 512);
    EXPECT_EQ(dmx->slots, slots);
    auto altered = [&](size_t at, int value) {
        std::vector<uint8_t> copy = bytes;
        copy[at] = uint8_t(value);
        return copy;
    };
    EXPECT_FALSE(parseArtDmx(altered(9, 0x20)));  // OpPoll
    EXPECT_FALSE(parseArtDmx(altered(11, 13)));   // protocol version
    for (int length : {511, 0, 514}) {
        std::vector<uint8_t> copy = altered(16, length >> 8);
        copy[17] = uint8_t(length);
        EXPECT_FALSE(parseArtDmx(copy)) << length;
    }
    EXPECT_FALSE(parseArtDmx(std::span(bytes).first(bytes.size() - 1)));
    std::vector<uint8_t> two = altered(16, 0);
    two[17] = 2;
    ASSERT_TRUE(parseArtDmx(two));
    EXPECT_EQ(parseArtDmx(two)->slots[511], 0);
}

}  // namespace
