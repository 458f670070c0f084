#pragma once
// The "OSC Input" dialog: the UDP port OSC is taken on (empty: off) and the senders allowed. Its
// OK button checks both, applies them at once and saves them; a bad value is shown in a message
// box and nothing is changed.

#include "platform/controls.h"
#include "platform/window.h"

class WinOscInput : public platform::Window {
  public:
    WinOscInput();
    void Open() override;
    // Shows the settings in force, not edits left behind when the window was last closed.
    void showSettingsInForce();

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
    void fillFromRunningInput();
};
