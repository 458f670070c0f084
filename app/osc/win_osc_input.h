#pragma once
// The "OSC Input" dialog: the UDP port OSC is taken on (empty: off) and the senders allowed.

#include "platform/controls.h"
#include "settings/settings_dialog.h"

namespace osc {
class OscInput;
}

class WinOscInput : public SettingsDialog {
  public:
    WinOscInput();
    // The input it starts, handed over by the main window as the dialog is made.
    void connect(osc::OscInput& input) { input_ = &input; }

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

    osc::OscInput* input_ = nullptr;
};
