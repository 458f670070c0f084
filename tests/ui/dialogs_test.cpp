#include "dmx/win_config.h"
#include "settings/config.h"
#include "settings/win_web_config.h"
#include "ui/desktop_fixture.h"

using platform::Implicit;

TEST_F(DesktopTest, DmxDialogReopensTheStoredPort) {
    useSerialPorts(3);
    mainWindow();
    Module1::currentPortNumber = 1;
    WinConfig& dialog = Implicit<WinConfig>::instance();
    EXPECT_EQ(dialog.StaticText3.caption(), "3");
    EXPECT_EQ(dialog.PopupMenu1.rows().size(), 3u);
    EXPECT_EQ(dialog.PopupMenu1.listIndex(), 1);
    EXPECT_EQ(dialog.StaticText5.caption(), "Serial Port 1 = " + ptys[1]->devicePath());
    EXPECT_EQ(dialog.StaticText6.caption(), "Serial Port 1 is Open\r");
    EXPECT_TRUE(Implicit<Window1>::instance().Serial1.IsOpen());
}

TEST_F(DesktopTest, DmxDialogWithoutAStoredPortOpensNone) {
    useSerialPorts(2);
    mainWindow();
    Module1::currentPortNumber = -1;
    WinConfig& dialog = Implicit<WinConfig>::instance();
    EXPECT_EQ(dialog.PopupMenu1.listIndex(), -1);
    EXPECT_EQ(dialog.StaticText6.caption(), "");
    EXPECT_FALSE(Implicit<Window1>::instance().Serial1.IsOpen());
}

TEST_F(DesktopTest, ChoosingAnotherPortRepointsTheLivePort) {
    useSerialPorts(2, {"/dev/brannic-no-such-port"});
    Window1& window = mainWindow();
    Module1::currentPortNumber = 0;
    WinConfig& dialog = Implicit<WinConfig>::instance();
    dialog.PopupMenu1.setListIndex(1);
    EXPECT_EQ(Module1::currentPortNumber, 1);
    window.Serial1.Write("x");
    EXPECT_EQ(ptys[1]->readExactly(1), "x");
    EXPECT_EQ(ptys[0]->readFor(30), "");
    dialog.PopupMenu1.setListIndex(2);
    EXPECT_EQ(dialog.StaticText6.caption(), "serial port could not be opened");
    EXPECT_EQ(Module1::currentPortNumber, 2);
    dialog.PopupMenu1.setListIndex(-1);
    EXPECT_EQ(dialog.StaticText6.caption(), "invalid serial port number");
}

TEST_F(DesktopTest, DmxDialogOkSavesThenHidesThenSendsTheStartCodeFrame) {
    useSerialPorts(2);
    mainWindow();
    Module1::currentPortNumber = 1;
    WinConfig& dialog = Implicit<WinConfig>::instance();
    dialog.Show();
    dialog.PushButton1.push();
    EXPECT_EQ(settingsLines().at(1), "1");
    EXPECT_EQ(platform::messageLog().back(), "saved Config");
    EXPECT_FALSE(dialog.visible());
    EXPECT_EQ(ptys[1]->readFor(100), std::string("\x7e\x06\x01\x00\x00\xe7", 6));
}

TEST_F(DesktopTest, TestButtonSendsTheParameterRequestOnly) {
    useSerialPorts(1);
    mainWindow();
    Module1::currentPortNumber = 0;
    WinConfig& dialog = Implicit<WinConfig>::instance();
    std::string before = dialog.StaticText6.caption();
    dialog.PushButton2.push();
    EXPECT_EQ(ptys[0]->readFor(100), std::string("\x7e\x03\x02\x00\x00\x00\xe7", 7));
    EXPECT_EQ(dialog.StaticText6.caption(), before);
    ptys[0]->write(std::string("\x7e\x03\x05\x00\x2c\x01\x09\x01\x28\xe7", 10));
    EXPECT_TRUE(testsupport::waitUntil(
        [&] { return dialog.StaticText6.caption() == "OK, Firmware: 1 .44 ."; }));
}

TEST_F(DesktopTest, WebServerDialogShowsTheSettingsInForce) {
    mainWindow();
    WinWebConfig& dialog = Implicit<WinWebConfig>::instance();
    EXPECT_EQ(dialog.txtWebPort.text(), "80");
    EXPECT_FALSE(dialog.chkEnableWan.value());
    EXPECT_FALSE(dialog.chkLogin.value());
    EXPECT_EQ(dialog.txtUsername.text(), "");
    EXPECT_EQ(dialog.txtPassword.text(), "");
    EXPECT_EQ(dialog.top(), platform::Screen::AvailableHeight() / 2);
}

TEST_F(DesktopTest, WebServerDialogOkAppliesAndSavesEverything) {
    Window1& window = mainWindow();
    window.newListener();
    WinWebConfig& dialog = Implicit<WinWebConfig>::instance();
    int32_t port = freePort();
    dialog.Show();
    dialog.txtWebPort.userEdited(std::to_string(port) + "x");
    dialog.txtUsername.userEdited(" stage manager ");
    dialog.txtPassword.userEdited("p=ss word");
    dialog.chkLogin.click();
    dialog.cmd1.push();
    EXPECT_EQ(window.ServerPort, port);
    EXPECT_TRUE(testsupport::waitUntil([&] { return window.TCPSocket1.ListeningPort() == port; }));
    EXPECT_EQ(platform::messageLog().back(), "saved Config");
    EXPECT_FALSE(dialog.visible());
    auto lines = settingsLines();
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[2], std::to_string(port));
    EXPECT_EQ(lines[4], "requireLogin=true");
    EXPECT_EQ(lines[6], " stage manager ");
    EXPECT_EQ(lines[7], "p=ss word");
    EXPECT_TRUE(Module1::requireLogin);
}

TEST_F(DesktopTest, WanBoxTakesEffectAtOnceButTheLabelWaitsForOk) {
    Window1& window = mainWindow();
    WinWebConfig& dialog = Implicit<WinWebConfig>::instance();
    dialog.chkEnableWan.click();
    EXPECT_TRUE(Module1::enableWAN);
    EXPECT_FALSE(window.lblWANaddr.visible());
    EXPECT_FALSE(std::filesystem::exists(prefs.path() / "Tolvex.config"));
}
