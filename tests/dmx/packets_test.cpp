#include <gtest/gtest.h>

#include <string>

#include "dmx/firmware_reply.h"
#include "dmx/interface_packets.h"
#include "dmx/level_view.h"
#include "dmx/output.h"
#include "dmx/output_status.h"

namespace {

std::string bytes(std::initializer_list<unsigned char> values) {
    return std::string(values.begin(), values.end());
}

TEST(DmxFrame, CarriesTheWholeUniverseAfterItsHeadAndStartCode) {
    Module1::LevelStore levels{};
    levels[0] = 99;  // never sent
    levels[1] = 255;
    levels[34] = 64;
    levels[512] = 7;
    const std::string frame = dmx::dmxFrame(levels);
    ASSERT_EQ(frame.size(), 518u);
    EXPECT_EQ(frame.substr(0, 5), bytes({0x7E, 0x06, 0x01, 0x02, 0x00}));
    EXPECT_EQ(frame.back(), '\xE7');
    std::string expected(512, '\0');
    expected[0] = '\xFF';
    expected[33] = 64;
    expected[511] = 7;
    EXPECT_EQ(frame.substr(5, 512), expected);
}

TEST(DmxFrame, OfAFreshStoreIsAllZeroLevels) {
    const std::string frame = dmx::dmxFrame(Module1::LevelStore{});
    EXPECT_EQ(frame.substr(5, 512), std::string(512, '\0'));
}

TEST(InterfacePackets, StartCodeOnlyFrameAndParameterRequest) {
    EXPECT_EQ(dmx::startCodeOnlyFrame(), bytes({0x7E, 0x06, 0x01, 0x00, 0x00, 0xE7}));
    EXPECT_EQ(dmx::parameterRequest(), bytes({0x7E, 0x03, 0x02, 0x00, 0x00, 0x00, 0xE7}));
}

TEST(FirmwareReply, ShowsTheHighThenTheLowVersionByte) {
    const std::string reply = bytes({0x7E, 0x03, 0x05, 0x00, 0x2C, 0x01, 0x09, 0x01, 0x28, 0xE7});
    EXPECT_EQ(dmx::firmwareReplyText(reply), "OK, Firmware: 1 .44 .");
    EXPECT_EQ(dmx::firmwareReplyText(bytes({0, 0, 0, 0, 0xFF, 0xFE})), "OK, Firmware: 254 .255 .");
}

TEST(FirmwareReply, MissingBytesCountAsZero) {
    EXPECT_EQ(dmx::firmwareReplyText(""), "OK, Firmware: 0 .0 .");
    EXPECT_EQ(dmx::firmwareReplyText(bytes({0x7E, 0x03, 0x05, 0x00, 0x2C})),
              "OK, Firmware: 0 .44 .");
}

TEST(LevelView, ListsChannels1To512EachAfterASpace) {
    Module1::LevelStore levels{};
    levels[0] = 99;
    levels[1] = 255;
    levels[3] = 64;
    const std::string text = dmx::levelViewText(levels);
    EXPECT_EQ(text.substr(0, 9), " 255 0 64");
    std::string zeros;
    for (int i = 0; i < 509; ++i) zeros += " 0";
    EXPECT_EQ(text.substr(9), zeros);
}

}  // namespace

TEST(OutputStates, WatchersHearRealChangesAndRemovals) {
    dmx::OutputStates states;
    std::vector<std::string> heard;
    states.watch([&](const dmx::OutputState& o) { heard.push_back(o.name + ":" + o.state); });
    states.report({"sACN", "universe 1 -> 239.255.0.1", "sending"});
    states.report({"sACN", "universe 1 -> 239.255.0.1", "sending"});
    states.report({"DMX USB Pro", "/dev/ttyUSB0", "waiting for the device"});
    states.report({"sACN", "universe 1 -> 239.255.0.1", "error: unreachable"});
    states.remove("DMX USB Pro");
    states.remove("DMX USB Pro");
    EXPECT_EQ(heard, (std::vector<std::string>{"sACN:sending", "DMX USB Pro:waiting for the device",
                                               "sACN:error: unreachable", "DMX USB Pro:"}));
    ASSERT_EQ(states.all().size(), 1u);
    EXPECT_EQ(states.all()[0].state, "error: unreachable");
}

namespace {

// Notes which output got which level of channel 1, in the order they got it.
struct RecordingOutput : dmx::Output {
    RecordingOutput(std::string name, std::vector<std::string>& got) : name(name), got(got) {}
    void send(const Module1::LevelStore& levels) override {
        got.push_back(name + ":" + std::to_string(levels[1]));
    }
    std::string name;
    std::vector<std::string>& got;
};

}  // namespace

TEST(OutputList, HandsEveryUniverseToEachOutputInTheOrderAdded) {
    std::vector<std::string> got;
    RecordingOutput usb("usb", got), network("network", got);
    dmx::OutputList outputs;
    outputs.add(usb);
    outputs.add(network);
    Module1::LevelStore levels{};
    levels[1] = 40;
    outputs.send(levels);
    outputs.remove(usb);
    outputs.send(levels);
    EXPECT_EQ(got, (std::vector<std::string>{"usb:40", "network:40", "network:40"}));
}
