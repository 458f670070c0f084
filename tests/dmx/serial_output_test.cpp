#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "command/command_line.h"
#include "command/main_window_fixture.h"
#include "dmx/interface_packets.h"
#include "dmx/output_status.h"
#include "dmx/send_dmx.h"
#include "support/pty_pair.h"
#include "support/temp_dir.h"

namespace {

class SerialOutputTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        // The interface dialog opens a port of the system's list when it is created: let that list
        // be the test's own line alone, and create the dialog before the line is chosen here.
        setenv("BRANNIC_SERIAL_PORTS", interface.devicePath().c_str(), 1);
        platform::Implicit<WinConfig>::instance();
        window().Serial1.setSerialPort(interface.devicePath());
        ASSERT_TRUE(window().Serial1.Open());
    }
    void TearDown() override {
        unsetenv("BRANNIC_SERIAL_PORTS");
        MainWindowTest::TearDown();
    }
    testsupport::PtyPair interface;
};

TEST_F(SerialOutputTest, ACommandLineGoesOutAsOneWholeUniverseFrame) {
    command::runCommandLine(window(), "1/5+8+11@75;512@F");
    const std::string frame = interface.readExactly(518);
    ASSERT_EQ(frame.size(), 518u);
    std::string expected("\x7E\x06\x01\x02\x00", 5);
    std::string levels(512, '\0');
    for (int ch : {1, 2, 3, 4, 5, 8, 11}) levels[ch - 1] = '\xBF';
    levels[511] = '\xFF';
    expected += levels;
    expected += '\xE7';
    EXPECT_EQ(frame, expected);
    EXPECT_EQ(interface.readFor(50), "");

    const std::string& view = platform::Implicit<WinLevels>::instance().EditField1.text();
    EXPECT_EQ(view.substr(0, 24), " 191 191 191 191 191 0 0");
    EXPECT_EQ(view.substr(view.size() - 6), " 0 255");
}

TEST_F(SerialOutputTest, EveryCallSendsTheUniverseEvenUnchanged) {
    Module1::sendDMX();
    Module1::sendDMX();
    const std::string frames = interface.readExactly(2 * 518);
    ASSERT_EQ(frames.size(), 2u * 518);
    EXPECT_EQ(frames.substr(0, 518), frames.substr(518));
}

TEST_F(SerialOutputTest, TheInterfaceReplyShowsItsFirmwareInTheDialog) {
    interface.write(std::string("\x7E\x03\x05\x00\x2C\x01\x09\x01\x28\xE7", 10));
    const auto& status = platform::Implicit<WinConfig>::instance().StaticText6;
    EXPECT_TRUE(testsupport::waitUntil([&] { return status.caption() == "OK, Firmware: 1 .44 ."; }))
        << status.caption();
    EXPECT_FALSE(platform::Implicit<WinConfig>::instance().visible());
}

}  // namespace

namespace {

using testsupport::PtyPair;

TEST_F(SerialOutputTest, TheFrameIsOnTheWireWhenSendDmxReturns) {
    Module1::sendDMX();
    EXPECT_EQ(interface.readNow().size(), 518u);  // the event loop has not run since
}

TEST_F(SerialOutputTest, AReplugGetsTheCurrentUniverseFirstWithinASecond) {
    testsupport::TempDir folder;
    const std::filesystem::path link = folder.path() / "interface";
    auto unplugged = std::make_unique<PtyPair>();
    std::filesystem::create_symlink(unplugged->devicePath(), link);
    window().Serial1.setSerialPort(link.string());
    ASSERT_TRUE(window().Serial1.Open());
    unplugged->closeMaster();
    const std::string lost =
        "DMX interface on " + link.string() + " lost: the console goes on and waits for it";
    ASSERT_TRUE(testsupport::waitUntil([&] { return window().StaticText1.caption() == lost; }));
    EXPECT_EQ(dmx::outputStates().all().at(0).state, "lost, waiting for the device");

    command::runCommandLine(window(), "7@D99");
    command::runCommandLine(window(), "9@D42");
    PtyPair replugged;
    std::filesystem::create_symlink(replugged.devicePath(), folder.path() / "new");
    std::filesystem::rename(folder.path() / "new", link);
    const std::string frame = replugged.readExactly(dmx::frameSize, 1000);
    ASSERT_EQ(frame.size(), dmx::frameSize);
    EXPECT_EQ(static_cast<uint8_t>(frame[4 + 7]), 99);
    EXPECT_EQ(static_cast<uint8_t>(frame[4 + 9]), 42);
    EXPECT_EQ(window().StaticText1.caption(),
              "DMX interface on " + link.string() + " connected: sending the current levels");
    EXPECT_EQ(dmx::outputStates().all().at(0).state, "sending");
}

}  // namespace
