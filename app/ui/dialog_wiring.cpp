// Each dialog of the main window is handed what it works on as it is made, and goes with the main
// window: nothing below the windows looks the main window up.
#include "command/console.h"
#include "dmx/win_config.h"
#include "netdmx/win_network_output.h"
#include "osc/win_osc_input.h"
#include "platform/window.h"
#include "settings/win_web_config.h"
#include "shell/window1.h"
#include "show/win_cue_list.h"

namespace {

// Each window dropped, and the next one made unwired, in the order given.
template <class... Windows>
void forget() {
    ((platform::Implicit<Windows>::reset(), platform::Implicit<Windows>::created = nullptr), ...);
}

}  // namespace

void Window1::wireDialogs() {
    platform::Implicit<WinConfig>::created = [this](WinConfig& dialog) {
        dialog.connect(DMXinterface, status);
    };
    platform::Implicit<WinWebConfig>::created = [this](WinWebConfig& dialog) {
        dialog.connect({[this] { return ServerPort; },
                        [this] {
                            ServerPort = Module1::webServerPort;
                            checkNetwork();
                            lblWANaddr.setVisible(Module1::enableWAN);
                            newListener();
                        }});
    };
    platform::Implicit<WinNetworkOutput>::created = [this](WinNetworkOutput& dialog) {
        dialog.connect(networkOutputs);
    };
    platform::Implicit<WinOscInput>::created = [this](WinOscInput& dialog) {
        dialog.connect(oscInput);
    };
    // Below this window.
    platform::Implicit<WinCueList>::created = [this](WinCueList& window) {
        window.setTop(top() + height());
        window.setLeft(left());
        window.connect(showControl);
    };
}

void Window1::unwireDialogs() {
    // The cue list watches this window's show control: it goes first.
    forget<WinCueList, WinConfig, WinWebConfig, WinNetworkOutput, WinOscInput>();
}
