#pragma once
// The "Cue List" window: the cues with the current and the next marked, GO and BACK (the space bar
// is GO while the window has the focus), the grand master and the blackout. It sends show lines
// through show control as any client does, and follows the show whoever changed it. With show
// control off it shows the cues and says so, its controls disabled.

#include <cstddef>
#include <string>

#include "platform/controls.h"
#include "platform/window.h"

namespace command {
class Console;
}
namespace show {
class ShowControl;
}

class WinCueList : public platform::Window {
  public:
    WinCueList();
    ~WinCueList() override;
    void Open() override;
    // The show it follows and drives, and the console whose lines it waits for, handed over by
    // the main window as the window is made.
    void connect(show::ShowControl& showControl, command::Console& console);

    platform::StaticText lblCue{"lblCue", ""};
    platform::ListBox lstCues{"lstCues", {"", "Cue", "Label", "Up", "Down"}};
    platform::PushButton cmdGo{"cmdGo", "GO"};
    platform::PushButton cmdBack{"cmdBack", "BACK"};
    platform::StaticText lblMaster{"lblMaster", ""};
    platform::Slider sldMaster{"sldMaster", 0, 100};
    platform::CheckBox chkBlackout{"chkBlackout", "Blackout"};

  private:
    void followShow();
    // Runs the show line as the source "Cue List"; one that comes while a command line is halfway
    // through (it lets events run between its characters) waits for that line to end.
    void send(std::string line);

    show::ShowControl* showControl_ = nullptr;
    command::Console* console_ = nullptr;
    size_t showWatcher_ = 0;
};
