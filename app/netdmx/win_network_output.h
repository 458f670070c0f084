#pragma once
// The "Network Output" dialog: sACN and Art-Net on or off, where they send.

#include "platform/controls.h"
#include "settings/settings_dialog.h"

namespace netdmx {
class NetworkOutputs;
}

class WinNetworkOutput : public SettingsDialog {
  public:
    WinNetworkOutput();
    // The outputs it starts, handed over by the main window as the dialog is made.
    void connect(netdmx::NetworkOutputs& outputs) { outputs_ = &outputs; }

    platform::CheckBox chkSacn{"chkSacn", "Send sACN (E1.31)"};
    platform::StaticText lblSacnUniverse{"lblSacnUniverse", "Universe:"};
    platform::EditField txtSacnUniverse{"txtSacnUniverse"};
    platform::StaticText lblSacnPriority{"lblSacnPriority", "Priority:"};
    platform::EditField txtSacnPriority{"txtSacnPriority"};
    platform::StaticText lblSacnHosts{"lblSacnHosts", "Unicast hosts:"};
    platform::EditField txtSacnHosts{"txtSacnHosts"};
    platform::CheckBox chkArtNet{"chkArtNet", "Send Art-Net"};
    platform::StaticText lblArtNetPortAddress{"lblArtNetPortAddress", "Port-address:"};
    platform::EditField txtArtNetPortAddress{"txtArtNetPortAddress"};
    platform::StaticText lblArtNetHosts{"lblArtNetHosts", "Hosts:"};
    platform::EditField txtArtNetHosts{"txtArtNetHosts"};
    platform::StaticText lblHostsHint{"lblHostsHint",
                                      "Hosts: separated by commas; none sends sACN by multicast "
                                      "and Art-Net by broadcast."};
    platform::PushButton cmdOK{"cmdOK", "OK"};

    void cmdOK_Action();

  private:
    void fillFromSettingsInForce() override;

    netdmx::NetworkOutputs* outputs_ = nullptr;
};
