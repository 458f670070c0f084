#include "command/console.h"
#include "command/level_store.h"
#include "dmx/interface_packets.h"
#include "dmx/output.h"
#include "dmx/win_config.h"
#include "settings/config.h"
#include "shell/aux_windows.h"
#include "shell/menubar.h"
#include "ui/desktop_fixture.h"

using platform::Implicit;

namespace {

std::string settings(const std::string& port, int32_t webPort, bool minimized = false) {
    return "default.shw\n" + port + "\n" + std::to_string(webPort) +
           "\nenableWAN=false\nrequireLogin=false\n" +
           (minimized ? "startMinimized=true\n" : "startMinimized=false\n") + "\n\n";
}

}  // namespace

TEST_F(DesktopTest, FirstRunAsksForTheSerialPort) {
    useSerialPorts(2);
    Window1& window = startProgram();
    EXPECT_EQ(window.title(), "Brannic Webserver: default.shw");
    EXPECT_EQ(window.lblIPort.caption(), std::to_string(*Module1::portOverride));
    EXPECT_EQ(window.StaticText1.caption(), "Not connected");
    EXPECT_EQ(Module1::currentPortNumber, -1);
    EXPECT_FALSE(window.Serial1.IsOpen());
    ASSERT_TRUE(Implicit<WinConfig>::exists());
    WinConfig& dialog = Implicit<WinConfig>::instance();
    EXPECT_TRUE(dialog.visible());
    EXPECT_EQ(dialog.top(), platform::Screen::AvailableHeight() / 2);
    EXPECT_EQ(dialog.left(), platform::Screen::AvailableWidth() / 2);
    EXPECT_EQ(dialog.PopupMenu1.listIndex(), -1);
    EXPECT_TRUE(window.TCPSocket1.IsListening());
}

TEST_F(DesktopTest, ConfiguredWebPortIsListenedOnAndShown) {
    Module1::portOverride.reset();
    int32_t port = freePort();
    writeSettings(settings("-1", port));
    Window1& window = startProgram();
    EXPECT_EQ(window.ServerPort, port);
    EXPECT_EQ(window.TCPSocket1.ListeningPort(), port);
    EXPECT_EQ(window.lblIPort.caption(), std::to_string(port));
}

TEST_F(DesktopTest, StoredPortBeyondTheSystemsPortsOpensTheDialog) {
    useSerialPorts(2);
    writeSettings(settings("2", 0));
    Window1& window = startProgram();
    EXPECT_EQ(Module1::currentPortNumber, -1);
    EXPECT_TRUE(Implicit<WinConfig>::instance().visible());
    EXPECT_EQ(window.StaticText1.caption(), "Not connected");
    EXPECT_EQ(settingsLines()[1], "2");  // the file keeps its value until the next save
}

TEST_F(DesktopTest, StoredPortIsOpenedAndCarriesTheFrames) {
    useSerialPorts(2);
    writeSettings(settings("1", 0));
    Window1& window = startProgram();
    EXPECT_EQ(window.StaticText1.caption(), "Port 1 is open");
    EXPECT_FALSE(Implicit<WinConfig>::exists());
    window.console.DMXdata[3] = 255;
    window.outputs.send(window.console.DMXdata);
    std::string frame = ptys[1]->readExactly(dmx::frameSize);
    ASSERT_EQ(frame.size(), dmx::frameSize);
    EXPECT_EQ(static_cast<uint8_t>(frame[4 + 3]), 255);
    EXPECT_EQ(ptys[0]->readFor(30), "");
}

TEST_F(DesktopTest, PortThatCannotBeOpenedIsReportedWithTwoSpaces) {
    useSerialPorts(0, {"/dev/brannic-no-such-port"});
    writeSettings(settings("0", 0));
    Window1& window = startProgram();
    EXPECT_EQ(window.StaticText1.caption(), "Port  0 could not be opened");
    EXPECT_TRUE(window.TCPSocket1.IsListening());
}

TEST_F(DesktopTest, StartMinimizedComesLastWithEverythingUp) {
    useSerialPorts(1);
    writeSettings(settings("0", 0, /*minimized=*/true));
    Window1& window = startProgram();
    EXPECT_TRUE(window.minimized());
    EXPECT_TRUE(window.Serial1.IsOpen());
    EXPECT_TRUE(window.TCPSocket1.IsListening());
    EXPECT_TRUE(MenuBar1().Child("ConfigMenu")->Child("ConfigStartMinimized")->checked());
}

TEST_F(DesktopTest, ClosingTheMainWindowClosesTheListedWindowsOnly) {
    Window1& window = mainWindow();
    Implicit<WinAbout>::instance();
    Implicit<WinLevels>::instance();
    Implicit<WinHelp>::instance();
    Implicit<winHistory>::instance();
    EXPECT_TRUE(window.Close());
    EXPECT_FALSE(Implicit<WinAbout>::exists());
    EXPECT_FALSE(Implicit<WinLevels>::exists());
    EXPECT_TRUE(Implicit<WinHelp>::exists());
    EXPECT_TRUE(Implicit<winHistory>::exists());
}

TEST_F(DesktopTest, ResetLeavesNoChoiceOrMessageSinkOfTheRunBefore) {
    Module1::liveOverride = true;
    Module1::serialPortOverride = "/dev/brannic-no-such-port";
    int sunk = 0;
    platform::setMessageSink([&sunk](const std::string&) { ++sunk; });
    testsupport::resetProgramState(prefs.path(), app.path());
    Module1::portOverride = freePort();

    useSerialPorts(0);
    Window1& window = startProgram();
    EXPECT_FALSE(Module1::liveLevels);
    EXPECT_EQ(window.StaticText1.caption(), "Not connected");
    platform::MsgBox("after the reset");
    EXPECT_EQ(sunk, 0);
}
