// The main window's open handler: the program's start-up, each step in its fixed order.
#include "command/level_store.h"
#include "dmx/win_config.h"
#include "netdmx/win_network_output.h"
#include "osc/win_osc_input.h"
#include "platform/events.h"
#include "platform/system.h"
#include "platform/text.h"
#include "platform/timer.h"
#include "server/pages.h"
#include "settings/config.h"
#include "settings/extra_settings.h"
#include "settings/live_setting.h"
#include "settings/win_web_config.h"
#include "shell/aux_windows.h"
#include "shell/menubar.h"
#include "shell/window1.h"
#include "status/status_model.h"

namespace {

// The port the interface was opened on, a state of the status line.
void tellPort(Window1& window, std::string text) {
    window.status.setState(status::Source::statusLine, "DMX port", std::move(text),
                           platform::steadyMs());
}

void openConfiguredSerialPort(Window1& window) {
    const int32_t index = Module1::currentPortNumber;
    window.Serial1.setSerialPort(
        platform::System::SerialPortList()[static_cast<size_t>(index)].Path());
    if (window.Serial1.Open()) {
        tellPort(window, "Port " + platform::Str(index) + " is open");
    } else {
        tellPort(window, "Port  " + platform::Str(index) + " could not be opened");
    }
}

// A device named for this run: when it is not there yet, the port's state handler says that it is
// waited for.
void openGivenSerialPort(Window1& window, const std::string& device) {
    window.Serial1.setSerialPort(device);
    if (window.Serial1.OpenOrWait()) tellPort(window, "Port " + device + " is open");
}

void showDmxDialogAtScreenMiddle() {
    WinConfig& dialog = platform::Implicit<WinConfig>::instance();
    dialog.setTop(platform::Screen::AvailableHeight() / 2);
    dialog.setLeft(platform::Screen::AvailableWidth() / 2);
    dialog.Show();
}

}  // namespace

void Window1::Open() {
    Module1::readConfig();
    // Before the server listens and the interface's port opens: the first answer, frame and
    // network packet already carry the show's last look. The live read-back follows it.
    setShowControl(Module1::showOverride || Module1::showControlSaved());

    ServerPort = Module1::portOverride.value_or(Module1::webServerPort);
    newListener();
    status.setState(status::Source::serverPort, "port", platform::Str(ServerPort),
                    platform::steadyMs());
    setTitle(title() + ": " + Module1::currentShowFile);

    platform::FolderItem show = platform::GetFolderItem(Module1::currentShowFile);
    if (show.Exists()) Module1::loadShowFile(show);
    Module1::readHTMLfile("DMXform.htm");

    if (Module1::currentPortNumber > platform::System::SerialPortCount() - 1)
        Module1::currentPortNumber = -1;
    if (!Module1::serialPortOverride.empty()) {
        openGivenSerialPort(*this, Module1::serialPortOverride);
    } else if (Module1::currentPortNumber >= 0) {
        openConfiguredSerialPort(*this);
    } else {
        showDmxDialogAtScreenMiddle();
    }

    if (platform::System::Network::IsConnected()) {
        checkNetwork();
        lblWANaddr.setVisible(Module1::enableWAN);
        // Listening again on a socket that listens already changes nothing.
        if (!TCPSocket1.IsListening()) TCPSocket1.Listen();
    } else {
        status.setState(status::Source::lanAddresses, "addresses", "No network",
                        platform::steadyMs());
    }

    if (Module1::startMinimized) Minimize();
}

bool Window1::CancelClose() {
    platform::Implicit<WinAbout>::close();
    platform::Implicit<WinConfig>::close();
    platform::Implicit<WinLevels>::close();
    platform::Implicit<winPageContent>::close();
    platform::Implicit<WinWebConfig>::close();
    platform::Implicit<WinNetworkOutput>::close();
    platform::Implicit<WinOscInput>::close();
    return false;
}

void Window1::closeBoxClicked() {
    if (Close()) platform::Application::quit(0);
}

const platform::MenuItem* Window1::menuBar() const {
    return &MenuBar1();
}
