// The OSC input in this process, set up through its dialog and fed by a liblo client of the test's
// own, which hears the replies.
#include <fstream>
#include <sstream>

#include "command/console.h"
#include "osc/osc_input.h"
#include "osc/win_osc_input.h"
#include "support/osc_reply_client.h"
#include "ui/desktop_fixture.h"

using platform::Implicit;

TEST_F(DesktopTest, OscInputDialogAppliesSavesAndTheGateFollowsTheWebLogin) {
    Window1& window = mainWindow();
    WinOscInput& dialog = Implicit<WinOscInput>::instance();
    dialog.txtPort.setText("65536");
    dialog.cmdOK.push();
    EXPECT_EQ(platform::messageLog().back(),
              "OSC Input not changed: osc.port must be a UDP port number from 1 to 65535, not "
              "\"65536\"");
    EXPECT_EQ(window.lblOutputs.caption(), "none");
    EXPECT_FALSE(std::filesystem::exists(prefs.path() / "brannic-webserver.conf"));

    const int port = freePort();
    dialog.txtPort.setText(std::to_string(port));
    dialog.txtAllow.setText("127.0.0.1");
    dialog.cmdOK.push();
    EXPECT_EQ(window.lblOutputs.caption(), "OSC udp port " + std::to_string(port) + ": listening");
    std::stringstream saved;
    saved << std::ifstream(prefs.path() / "brannic-webserver.conf").rdbuf();
    EXPECT_NE(saved.str().find("osc.allow=127.0.0.1\nosc.port=" + std::to_string(port) + "\n"),
              std::string::npos)
        << saved.str();

    testsupport::OscReplyClient client;
    EXPECT_EQ(client.send(port, "/brannic/chan/7/dmx", 200), "/brannic/out/result  7 @ D200");
    EXPECT_EQ(window.console.DMXdata[7], 200);
    EXPECT_EQ(window.lblQuery.caption(), "7@D200");

    // With no sender named every one is taken, until the web login is turned on.
    dialog.txtAllow.setText("");
    dialog.cmdOK.push();
    EXPECT_EQ(client.send(port, "/brannic/chan/7/dmx", 100), "/brannic/out/result  7 @ D100");
    Module1::requireLogin = true;
    EXPECT_EQ(client.send(port, "/brannic/chan/7/dmx", 5),
              "/brannic/out/error this sender is not allowed");
    EXPECT_EQ(window.console.DMXdata[7], 100);
    EXPECT_NE(window.StaticText1.caption().find("no sender is taken while the web login is on"),
              std::string::npos);
    window.oscInput.stop();
    EXPECT_EQ(window.lblOutputs.caption(), "none");
}
