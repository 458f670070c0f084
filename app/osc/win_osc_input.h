#pragma once
// The "OSC Input" dialog: the UDP port OSC is taken on (empty: off) and the senders allowed.

#include "platform/controls.h"
#include "settings/settings_dialog.h"

class WinOscInput : public SettingsDialog {
  public:
    WinOscInput();

    platform::StaticText lblPort{"lblPort", "UDP port:"};
    platform::EditField txtPort{"txtPort"};
    platform::StaticText lblAllow{"lblAllow", "Allowed senders:"};
    platform::EditField txtAllow{"txtAllow"};
    platform::StaticText lblHint{"lblHint",
                                 "Port empty: OSC off. Senders separated by commas; none takes "
                                 "every sender, none at all while the web login is on."};
    platform::PushButton cmdOK{"cmdOK", "OK"};

    void cmdOK_Action();

  private:
    void fillFromSettingsInForce() override;
};
