#include "support/program_state.h"

#include "dmx/win_config.h"
#include "netdmx/win_network_output.h"
#include "platform/files.h"
#include "platform/platform_state.h"
#include "settings/win_web_config.h"
#include "shell/aux_windows.h"
#include "shell/menubar.h"
#include "shell/module1.h"
#include "shell/window1.h"

namespace testsupport {

void resetProgramState(const std::filesystem::path& prefsFolder,
                       const std::filesystem::path& appFolder) {
    platform::Implicit<WinConfig>::reset();
    platform::Implicit<WinWebConfig>::reset();
    platform::Implicit<WinNetworkOutput>::reset();
    platform::Implicit<WinLevels>::reset();
    platform::Implicit<winHistory>::reset();
    platform::Implicit<winPageContent>::reset();
    platform::Implicit<WinHelp>::reset();
    platform::Implicit<WinAbout>::reset();
    // The main window owns the outputs, their status list, the event streams and the listener's
    // timers: they go with it.
    platform::Implicit<Window1>::reset();
    Module1::resetState();
    platform::resetState();
    MenuBar1().Child("ConfigMenu")->Child("ConfigStartMinimized")->setChecked(false);
    platform::Implicit<WinConfig>::created = nullptr;
    platform::setPreferencesFolder(prefsFolder);
    platform::setApplicationFolder(appFolder);
}

}  // namespace testsupport
