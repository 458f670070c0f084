// The USB interface alone on a pseudo-terminal: frames, the parameter reply and a replug.
#include "dmx/usbpro_interface.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "dmx/interface_packets.h"
#include "support/pty_pair.h"
#include "support/temp_dir.h"

namespace {

using testsupport::PtyPair;

class UsbProInterfaceTest : public ::testing::Test {
  protected:
    void openOn(const std::string& device) {
        usbPro.port().setSerialPort(device);
        ASSERT_TRUE(usbPro.port().Open());
    }

    dmx::OutputStates states;
    dmx::UsbProInterface usbPro{states};
};

TEST_F(UsbProInterfaceTest, EverySendIsOnTheWireWhenItReturnsChangedOrNot) {
    PtyPair device;
    openOn(device.devicePath());
    Module1::LevelStore levels{};
    levels[1] = 191;
    levels[512] = 255;
    usbPro.send(levels);
    usbPro.send(levels);
    const std::string frames = device.readNow();  // the event loop has not run since
    ASSERT_EQ(frames.size(), 2 * dmx::frameSize);
    EXPECT_EQ(frames.substr(0, dmx::frameSize), dmx::dmxFrame(levels));
    EXPECT_EQ(frames.substr(dmx::frameSize), dmx::dmxFrame(levels));
}

TEST_F(UsbProInterfaceTest, TheParameterReplyIsToldAsItsFirmware) {
    PtyPair device;
    openOn(device.devicePath());
    std::string told;
    usbPro.parametersRead = [&](const std::string& text) { told = text; };
    usbPro.requestParameters();
    EXPECT_EQ(device.readExactly(7), dmx::parameterRequest());
    device.write(std::string("\x7E\x03\x05\x00\x2C\x01\x09\x01\x28\xE7", 10));
    EXPECT_TRUE(testsupport::waitUntil([&] { return told == "OK, Firmware: 1 .44 ."; })) << told;
}

TEST_F(UsbProInterfaceTest, AReplugGetsTheLatestUniverseAtOnceAndTheStatusFollows) {
    testsupport::TempDir folder;
    const std::filesystem::path link = folder.path() / "interface";
    auto unplugged = std::make_unique<PtyPair>();
    std::filesystem::create_symlink(unplugged->devicePath(), link);
    openOn(link.string());
    std::vector<std::string> lines;
    usbPro.statusLine = [&](const std::string& line) { lines.push_back(line); };
    EXPECT_EQ(states.all().at(0), (dmx::OutputState{"DMX USB Pro", link.string(), "sending"}));

    unplugged->closeMaster();
    ASSERT_TRUE(testsupport::waitUntil([&] { return !lines.empty(); }));
    EXPECT_EQ(states.all().at(0).state, "lost, waiting for the device");
    Module1::LevelStore levels{};
    levels[7] = 99;
    usbPro.send(levels);
    levels[9] = 42;
    usbPro.send(levels);

    PtyPair replugged;
    std::filesystem::create_symlink(replugged.devicePath(), folder.path() / "new");
    std::filesystem::rename(folder.path() / "new", link);
    EXPECT_EQ(replugged.readExactly(dmx::frameSize, 1000), dmx::dmxFrame(levels));
    EXPECT_EQ(
        lines,
        (std::vector<std::string>{
            "DMX interface on " + link.string() + " lost: the console goes on and waits for it",
            "DMX interface on " + link.string() + " connected: sending the current levels"}));
    EXPECT_EQ(states.all().at(0).state, "sending");

    usbPro.port().Close();
    EXPECT_TRUE(states.all().empty());
}

}  // namespace
