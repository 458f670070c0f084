#include <gtest/gtest.h>

#include "netdmx/artnet_merge.h"
#include "netdmx/input_merge.h"
#include "netdmx/input_report.h"
#include "netdmx/sacn_merge.h"

namespace {

using namespace netdmx;

Slots first(std::vector<uint8_t> levels) {
    Slots slots{};
    std::copy(levels.begin(), levels.end(), slots.begin());
    return slots;
}

// The sender's packet on universe 1, turned where asked into what it never sends: another start
// code, options, fewer slots. Source n has CID n and priority 100 unless told.
SacnData sacn(uint8_t n, uint8_t sequence, std::vector<uint8_t> slots, uint8_t priority = 100,
              uint8_t startCode = 0, uint8_t options = 0, int carried = slotCount) {
    std::vector<uint8_t> bytes =
        sacnDataPacket({{n}, "Desk " + std::to_string(n), priority, 1}, sequence, false, first(slots));
    bytes[112] |= options;
    bytes[125] = startCode;
    bytes.resize(126 + carried);
    for (size_t start : {16, 38, 115}) {
        bytes[start] = uint8_t(0x70 | (bytes.size() - start) >> 8);
        bytes[start + 1] = uint8_t(bytes.size() - start);
    }
    bytes[123] = uint8_t((carried + 1) >> 8);
    bytes[124] = uint8_t(carried + 1);
    SacnPacket packet = parseSacnPacket(bytes);
    EXPECT_EQ(packet.kind, SacnKind::data);
    return packet.data;
}

SacnData terminated(uint8_t n, uint8_t sequence) {
    return sacn(n, sequence, {255, 255}, 100, 0, 0x40);
}

TEST(SacnMerge, EqualPrioritiesMergeHighestTakesPrecedence) {
    SacnMerge merge(1);
    merge.receive(sacn(1, 0, {10, 200}), "10.0.0.1", 0);
    merge.receive(sacn(2, 0, {90, 20}), "10.0.0.2", 0);
    EXPECT_EQ(merge.levels(), first({90, 200}));
}

TEST(SacnMerge, HigherPriorityTakesOverAndGivesBackWhenItLeaves) {
    SacnMerge merge(1);
    merge.receive(sacn(1, 0, {200, 200}), "10.0.0.1", 0);
    merge.receive(sacn(2, 0, {50}, 150), "10.0.0.2", 0);
    EXPECT_EQ(merge.levels(), first({50, 0}));
    EXPECT_EQ(merge.receive(terminated(2, 1), "10.0.0.2", 10), PacketFate::used);
    EXPECT_EQ(merge.sourceCount(), 1);
    EXPECT_EQ(merge.levels(), first({200, 200}));
}

TEST(SacnMerge, SilentSourceLeavesAtItsDeadlineWithNoPacketArriving) {
    SacnMerge merge(1);
    merge.receive(sacn(1, 0, {10}), "10.0.0.1", 1000);
    merge.receive(sacn(2, 0, {20}), "10.0.0.2", 1500);
    EXPECT_EQ(merge.nextDeadline(), 3500);
    merge.expire(3499);
    EXPECT_EQ(merge.sourceCount(), 2);
    merge.expire(3500);
    EXPECT_EQ(merge.sourceCount(), 1);
    EXPECT_EQ(merge.nextDeadline(), 4000);
    merge.expire(4000);
    EXPECT_EQ(merge.levels(), Slots{});
    EXPECT_EQ(merge.nextDeadline(), std::nullopt);
}

TEST(SacnMerge, DropsPacketsUpTo19BehindAndTakes20BehindAsANewRun) {
    SacnMerge merge(1);
    merge.receive(sacn(1, 100, {10}), "10.0.0.1", 0);
    EXPECT_EQ(merge.receive(sacn(1, 100, {11}), "10.0.0.1", 1), PacketFate::ignored);
    EXPECT_EQ(merge.receive(sacn(1, 81, {12}), "10.0.0.1", 2), PacketFate::ignored);
    EXPECT_EQ(merge.levels()[0], 10);
    EXPECT_EQ(merge.receive(sacn(1, 80, {13}), "10.0.0.1", 3), PacketFate::used);
    EXPECT_EQ(merge.receive(sacn(1, 81, {14}), "10.0.0.1", 4), PacketFate::used);
    EXPECT_EQ(merge.levels()[0], 14);
}

TEST(SacnMerge, NinthSourceIsTurnedAwayOnceUntilOneOfTheEightLeaves) {
    SacnMerge merge(1);
    for (uint8_t n = 1; n <= 8; ++n) merge.receive(sacn(n, 0, {n}), "10.0.0.1", 0);
    EXPECT_EQ(merge.receive(sacn(9, 0, {99}), "10.0.0.9", 1), PacketFate::turnedAway);
    EXPECT_EQ(merge.receive(sacn(9, 1, {99}), "10.0.0.9", 2), PacketFate::ignored);
    EXPECT_EQ(merge.levels()[0], 8);
    merge.receive(terminated(3, 1), "10.0.0.1", 3);
    EXPECT_EQ(merge.receive(sacn(9, 2, {99}), "10.0.0.9", 4), PacketFate::used);
    EXPECT_EQ(merge.levels()[0], 99);
}

TEST(SacnMerge, PreviewAndOtherStartCodesChangeNothingAndKeepNoSourceAlive) {
    SacnMerge merge(1);
    merge.receive(sacn(1, 0, {10}), "10.0.0.1", 0);
    EXPECT_EQ(merge.receive(sacn(1, 1, {90}, 100, 0, 0x80), "10.0.0.1", 2000), PacketFate::ignored);
    EXPECT_EQ(merge.receive(sacn(1, 2, {90}, 100, 0x17), "10.0.0.1", 2000), PacketFate::ignored);
    EXPECT_EQ(merge.receive(sacn(2, 0, {90}, 100, 0, 0x80), "10.0.0.2", 2000), PacketFate::ignored);
    EXPECT_EQ(merge.levels()[0], 10);
    merge.expire(2500);
    EXPECT_EQ(merge.sourceCount(), 0);
}

TEST(SacnMerge, PerAddressPriorityRulesItsChannelsUntilItLapses) {
    SacnMerge merge(1);
    merge.receive(sacn(1, 0, {10, 10, 10}, 120), "10.0.0.1", 0);
    merge.receive(sacn(2, 0, {200, 200, 200}), "10.0.0.2", 0);
    // Source 2 asks 150 on channel 1 and nothing elsewhere, whatever its packets say.
    merge.receive(sacn(2, 1, {150, 0, 0}, 100, 0xdd), "10.0.0.2", 0);
    EXPECT_EQ(merge.levels(), first({200, 10, 10}));
    merge.receive(sacn(2, 2, {200, 200, 200}), "10.0.0.2", 2400);
    merge.receive(sacn(1, 1, {10, 10, 10}, 120), "10.0.0.1", 2400);
    merge.expire(2500);
    EXPECT_EQ(merge.sourceCount(), 2);
    EXPECT_EQ(merge.levels(), first({10, 10, 10}));
}

TEST(SacnMerge, ShortPacketSetsItsSlotsAndZeroesTheRest) {
    SacnMerge merge(1);
    merge.receive(sacn(1, 0, {50, 50, 50, 50}), "10.0.0.1", 0);
    merge.receive(sacn(1, 1, {70, 70, 70, 70}, 100, 0, 0, 2), "10.0.0.1", 1);
    EXPECT_EQ(merge.levels(), first({70, 70}));
}

TEST(ArtNetMerge, ThirdSourceIsTurnedAwayOnceUntilOneLeavesAfterTenSeconds) {
    ArtNetMerge merge(3);
    ArtDmx dmx{1, 0, 3, 512, first({40})};
    merge.receive(dmx, "10.0.0.1", 0);
    dmx.slots = first({0, 60});
    merge.receive(dmx, "10.0.0.2", 5000);
    EXPECT_EQ(merge.levels(), first({40, 60}));
    dmx.slots = first({99, 99});
    EXPECT_EQ(merge.receive(dmx, "10.0.0.3", 6000), PacketFate::turnedAway);
    EXPECT_EQ(merge.receive(dmx, "10.0.0.3", 7000), PacketFate::ignored);
    EXPECT_EQ(merge.nextDeadline(), 10000);
    merge.expire(10000);
    EXPECT_EQ(merge.receive(dmx, "10.0.0.3", 10001), PacketFate::used);
    EXPECT_EQ(merge.levels(), first({99, 99}));
}

TEST(InputMerge, HtpKeepsTheHigherOfInputAndConsoleOnlyTakesTheInput) {
    const Slots console = first({100, 0, 30});
    const Slots sacnIn = first({50, 80});
    const Slots artnetIn = first({0, 90, 10});
    EXPECT_EQ(withInput(console, sacnIn, artnetIn, InputMode::htp), first({100, 90, 30}));
    EXPECT_EQ(withInput(console, sacnIn, artnetIn, InputMode::only), first({50, 90, 10}));
}

TEST(InputReport, ListsSourcesAndCountsThem) {
    std::vector<InputSourceInfo> sources = {{"Desk", "10.0.0.1", InputProtocol::sacn, 100, 40},
                                            {"", "10.0.0.2", InputProtocol::artnet, {}, 7}};
    EXPECT_EQ(inputListing(first({5}), sources)["sources"].dump(),
              R"([{"name":"Desk","address":"10.0.0.1","protocol":"sacn","priority":100,"age_ms":40},)"
              R"({"name":"","address":"10.0.0.2","protocol":"artnet","priority":null,"age_ms":7}])");
    EXPECT_EQ(sourceCountLine(InputProtocol::sacn, 1, 2), "sACN in universe 1: 2 sources");
}

}  // namespace
