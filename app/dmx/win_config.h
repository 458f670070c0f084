#pragma once
// The DMX interface dialog "Configure DMX Pro": chooses, opens and tests the interface's serial
// port.

#include <cstddef>
#include <string>

#include "platform/controls.h"
#include "platform/window.h"

namespace dmx {
class UsbProInterface;
}
namespace status {
class StatusModel;
}

class WinConfig : public platform::Window {
  public:
    WinConfig();
    ~WinConfig() override;
    void Open() override;
    // The interface it works on and the status model its status line shows, handed over by the
    // main window as the dialog is made; without them it only lists the ports.
    void connect(dmx::UsbProInterface& interface, status::StatusModel& status);

    platform::StaticText StaticText1{"StaticText1", "Configure enttec.com USB DMX Pro interface"};
    platform::StaticText StaticText2{"StaticText2", "Number of serial ports on this system:"};
    platform::StaticText StaticText3{"StaticText3", "0"};
    platform::StaticText StaticText4{
        "StaticText4", "Select which (virtual) serial port the USB DMX Pro is connected to:"};
    platform::PopupMenu PopupMenu1{"PopupMenu1"};
    platform::StaticText StaticText5{"StaticText5", ""};
    platform::PushButton PushButton1{"PushButton1", "Ok"};
    platform::PushButton PushButton2{"PushButton2", "Test DMX interface"};
    platform::StaticText StaticText6{"StaticText6", ""};

    void PopupMenu1_Change();
    void PushButton1_Action();
    void PushButton2_Action();

  private:
    // The port chosen, a state of the dialog's status line.
    void tellChoice(std::string text);

    dmx::UsbProInterface* interface_ = nullptr;
    status::StatusModel* status_ = nullptr;
    size_t statusWatcher_ = 0;
};
