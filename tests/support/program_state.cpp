#include "support/program_state.h"

#include "command/level_store.h"
#include "dmx/win_config.h"
#include "platform/events.h"
#include "platform/files.h"
#include "server/pages.h"
#include "settings/config.h"
#include "settings/win_web_config.h"
#include "ui/aux_windows.h"
#include "ui/launch.h"
#include "ui/menubar.h"
#include "ui/window1.h"

namespace testsupport {

void resetProgramState(const std::filesystem::path& prefsFolder,
                       const std::filesystem::path& appFolder) {
    platform::Implicit<WinConfig>::reset();
    platform::Implicit<WinWebConfig>::reset();
    platform::Implicit<WinLevels>::reset();
    platform::Implicit<winHistory>::reset();
    platform::Implicit<winPageContent>::reset();
    platform::Implicit<WinHelp>::reset();
    platform::Implicit<WinAbout>::reset();
    platform::Implicit<Window1>::reset();
    Module1::DMXdata.fill(0);
    Module1::currentShowFile = "default.shw";
    Module1::currentPortNumber = 0;
    Module1::webServerPort = 80;
    Module1::enableWAN = Module1::requireLogin = Module1::startMinimized = false;
    Module1::username.clear();
    Module1::password.clear();
    Module1::pageContent.clear();
    launch::portOverride().reset();
    launch::serialPortOverride().clear();
    MenuBar1().Child("ConfigMenu")->Child("ConfigStartMinimized")->setChecked(false);
    platform::clearMessageLog();
    platform::setPreferencesFolder(prefsFolder);
    platform::setApplicationFolder(appFolder);
}

}  // namespace testsupport
