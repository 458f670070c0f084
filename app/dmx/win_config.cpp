#include "dmx/win_config.h"

#include "dmx/usbpro_interface.h"
#include "platform/events.h"
#include "platform/system.h"
#include "platform/text.h"
#include "settings/config.h"
#include "shell/window1.h"

namespace {

// The main window's interface; none before the launch adopted the main window.
dmx::UsbProInterface* mainInterface() {
    Window1* main = platform::Implicit<Window1>::find();
    return main ? &main->DMXinterface : nullptr;
}

}  // namespace

WinConfig::WinConfig() : platform::Window("Configure DMX Pro", 500, 250, false) {
    place(StaticText1, 0, 0, 1, 2);
    place(StaticText2, 1, 0);
    place(StaticText3, 1, 1);
    place(StaticText4, 2, 0, 1, 2);
    place(PopupMenu1, 3, 0);
    place(StaticText5, 3, 1);
    place(PushButton1, 4, 0);
    place(PushButton2, 4, 1);
    place(StaticText6, 5, 0, 1, 2);
    PopupMenu1.change = [this] { PopupMenu1_Change(); };
    PushButton1.action = [this] { PushButton1_Action(); };
    PushButton2.action = [this] { PushButton2_Action(); };
}

void WinConfig::Open() {
    PopupMenu1.deleteAllRows();
    const auto ports = platform::System::SerialPortList();
    StaticText3.setCaption(platform::Str(static_cast<int64_t>(ports.size())));
    for (const auto& port : ports) {
        PopupMenu1.addRow(port.Name());
        platform::yieldToBackgroundTasks();
    }
    if (Module1::currentPortNumber < static_cast<int32_t>(ports.size())) {
        PopupMenu1.setListIndex(Module1::currentPortNumber);
    }
}

void WinConfig::PopupMenu1_Change() {
    const int32_t index = PopupMenu1.listIndex();
    Module1::currentPortNumber = index;
    StaticText5.setCaption("Serial Port " + platform::Str(index) + " = " + PopupMenu1.text());
    if (index < 0) {
        StaticText6.setCaption("invalid serial port number");
        return;
    }
    // The stable name of the row's port when it has one, so a replug finds the same adapter.
    const auto ports = platform::System::SerialPortList();
    dmx::UsbProInterface* interface = mainInterface();
    platform::Serial* serial = interface ? &interface->port() : nullptr;
    if (serial) {
        serial->setSerialPort(static_cast<size_t>(index) < ports.size()
                                  ? ports[static_cast<size_t>(index)].Path()
                                  : std::string());
    }
    if (serial && serial->Open()) {
        StaticText6.setCaption("Serial Port " + platform::Str(index) + " is Open\r");
    } else {
        StaticText6.setCaption("serial port could not be opened");
    }
}

void WinConfig::PushButton1_Action() {
    Module1::writeConfig();
    Hide();
    if (dmx::UsbProInterface* interface = mainInterface()) interface->sendStartCodeOnly();
}

void WinConfig::PushButton2_Action() {
    if (dmx::UsbProInterface* interface = mainInterface()) interface->requestParameters();
}
