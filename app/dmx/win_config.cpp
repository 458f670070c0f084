#include "dmx/win_config.h"

#include "dmx/usbpro_interface.h"
#include "platform/events.h"
#include "platform/system.h"
#include "platform/text.h"
#include "platform/timer.h"
#include "settings/config.h"
#include "status/status_model.h"

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

WinConfig::~WinConfig() {
    if (status_) status_->unwatch(statusWatcher_);
}

void WinConfig::connect(dmx::UsbProInterface& interface, status::StatusModel& status) {
    interface_ = &interface;
    status_ = &status;
    statusWatcher_ = status.watch([this](const status::Entry& entry, bool) {
        if (entry.source == status::Source::interfaceDialog) StaticText6.setCaption(entry.text);
    });
}

void WinConfig::tellChoice(std::string text) {
    if (status_)
        status_->setState(status::Source::interfaceDialog, "port choice", std::move(text),
                          platform::steadyMs());
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
        tellChoice("invalid serial port number");
        return;
    }
    // The stable name of the row's port when it has one, so a replug finds the same adapter.
    const auto ports = platform::System::SerialPortList();
    platform::Serial* serial = interface_ ? &interface_->port() : nullptr;
    if (serial) {
        serial->setSerialPort(static_cast<size_t>(index) < ports.size()
                                  ? ports[static_cast<size_t>(index)].Path()
                                  : std::string());
    }
    if (serial && serial->Open()) {
        tellChoice("Serial Port " + platform::Str(index) + " is Open\r");
    } else {
        tellChoice("serial port could not be opened");
    }
}

void WinConfig::PushButton1_Action() {
    Module1::writeConfig();
    Hide();
    if (interface_) interface_->sendStartCodeOnly();
}

void WinConfig::PushButton2_Action() {
    if (interface_) interface_->requestParameters();
}
