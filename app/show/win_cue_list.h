#pragma once
// The "Cue List" window: the cues with the current and the next marked, GO and BACK (the space bar
// is GO while the window has the focus), the grand master and the blackout. It sends show commands
// to show control, where they wait their turn as any client's do, and follows the show whoever
// changed it. With show
// control off it shows the cues and says so, its controls disabled.

#include <cstddef>
#include <string>

#include "platform/controls.h"
#include "platform/window.h"
#include "show/console_action.h"

namespace show {
class ShowControl;
}

class WinCueList : public platform::Window {
  public:
    WinCueList();
    ~WinCueList() override;
    void Open() override;
    // The show it follows and drives, handed over by the main window as the window is made.
    void connect(show::ShowControl& showControl);

    platform::StaticText lblCue{"lblCue", ""};
    platform::ListBox lstCues{"lstCues", {"", "Cue", "Label", "Up", "Down"}};
    platform::PushButton cmdGo{"cmdGo", "GO"};
    platform::PushButton cmdBack{"cmdBack", "BACK"};
    platform::StaticText lblMaster{"lblMaster", ""};
    platform::Slider sldMaster{"sldMaster", 0, 100};
    platform::CheckBox chkBlackout{"chkBlackout", "Blackout"};

  private:
    void followShow();
    // Submits the show line as the source "Cue List".
    void send(show::ShowLine line);

    show::ShowControl* showControl_ = nullptr;
    size_t showWatcher_ = 0;
};
