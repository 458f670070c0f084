#pragma once
// The web server settings dialog "Brannic Webserver Config": port, WAN access and login, applied to
// the running server and saved by its OK button.

#include <cstdint>
#include <functional>
#include <utility>

#include "platform/controls.h"
#include "platform/window.h"

class WinWebConfig : public platform::Window {
  public:
    // The running server, handed over by the main window as the dialog is made.
    struct RunningServer {
        std::function<int32_t()> port;
        // After OK: the server takes the settings just made (its port, the WAN address shown).
        std::function<void()> takeSettings;
    };

    WinWebConfig();
    void Open() override;
    void connect(RunningServer server) { server_ = std::move(server); }

    platform::StaticText StaticText1{"StaticText1", "Webserver Port:"};
    platform::EditField txtWebPort{"txtWebPort", "80"};
    platform::PushButton cmd1{"cmd1", "OK"};
    platform::CheckBox chkEnableWan{"chkEnableWan", "Enable WAN access"};
    platform::GroupBox GroupBox1{"GroupBox1", "Security"};
    platform::CheckBox chkLogin{"chkLogin", "Require Login"};
    platform::StaticText StaticText2{"StaticText2", "Username:"};
    platform::StaticText StaticText3{"StaticText3", "Password:"};
    platform::EditField txtUsername{"txtUsername"};
    platform::EditField txtPassword{"txtPassword"};

    void chkEnableWan_Action();
    void cmd1_Action();

  private:
    RunningServer server_;
};
