#include <fstream>
#include <sstream>

#include "netdmx/network_output.h"
#include "netdmx/win_network_output.h"
#include "ui/desktop_fixture.h"

using platform::Implicit;

TEST_F(DesktopTest, NetworkOutputDialogAppliesAndSavesOnlyGoodSettings) {
    Window1& window = mainWindow();
    WinNetworkOutput& dialog = Implicit<WinNetworkOutput>::instance();
    dialog.chkArtNet.setValue(true);
    dialog.txtArtNetHosts.setText("127.0.0.1");
    dialog.chkSacn.setValue(true);
    dialog.txtSacnUniverse.setText("64000");
    dialog.cmdOK.push();
    EXPECT_EQ(platform::messageLog().back(),
              "Network Output not changed: sacn.universe must be a universe from 1 to 63999, not "
              "\"64000\"");
    EXPECT_FALSE(window.networkOutputs.runningSettings().artnet.enabled);  // nothing half applied
    EXPECT_FALSE(std::filesystem::exists(prefs.path() / "brannic-webserver.conf"));

    dialog.txtSacnUniverse.setText("3");
    dialog.txtSacnHosts.setText("127.0.0.1");
    dialog.cmdOK.push();
    EXPECT_EQ(window.lblOutputs.caption(),
              "sACN universe 3 -> 127.0.0.1: sending\n"
              "Art-Net port-address 0 -> 127.0.0.1: sending");
    std::stringstream saved;
    saved << std::ifstream(prefs.path() / "brannic-webserver.conf").rdbuf();
    EXPECT_NE(saved.str().find("sacn.universe=3\n"), std::string::npos) << saved.str();
    EXPECT_NE(saved.str().find("artnet.hosts=127.0.0.1\n"), std::string::npos);

    dialog.chkSacn.setValue(false);
    dialog.cmdOK.push();
    EXPECT_EQ(window.lblOutputs.caption(), "Art-Net port-address 0 -> 127.0.0.1: sending");
    dialog.txtSacnUniverse.setText("99");  // left behind, never applied
    dialog.showSettingsInForce();
    EXPECT_EQ(dialog.txtSacnUniverse.text(), "3");
    window.networkOutputs.stop();
    EXPECT_EQ(window.lblOutputs.caption(), "none");
}
