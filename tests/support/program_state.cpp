#include "support/program_state.h"

#include "dmx/win_config.h"
#include "netdmx/network_output.h"
#include "netdmx/win_network_output.h"
#include "platform/events.h"
#include "platform/files.h"
#include "settings/win_web_config.h"
#include "shell/aux_windows.h"
#include "shell/menubar.h"
#include "shell/module1.h"
#include "shell/window1.h"
#include "ui/launch.h"

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
    platform::Implicit<Window1>::reset();
    netdmx::stopOutputs();
    Module1::resetState();
    launch::portOverride().reset();
    launch::serialPortOverride().clear();
    MenuBar1().Child("ConfigMenu")->Child("ConfigStartMinimized")->setChecked(false);
    platform::Implicit<WinConfig>::created = nullptr;
    platform::setMessageSink(nullptr);
    platform::clearMessageLog();
    platform::setPreferencesFolder(prefsFolder);
    platform::setApplicationFolder(appFolder);
}

}  // namespace testsupport
