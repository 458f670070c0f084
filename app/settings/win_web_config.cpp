#include "settings/win_web_config.h"

#include "platform/events.h"
#include "platform/text.h"
#include "settings/config.h"

WinWebConfig::WinWebConfig() : platform::Window("Brannic Webserver Config", 380, 250, false) {
    place(StaticText1, 0, 0);
    place(txtWebPort, 0, 1);
    place(chkEnableWan, 1, 0, 1, 2);
    place(GroupBox1, 2, 0, 1, 2);
    place(chkLogin, 3, 0, 1, 2);
    place(StaticText2, 4, 0);
    place(txtUsername, 4, 1);
    place(StaticText3, 5, 0);
    place(txtPassword, 5, 1);
    place(cmd1, 6, 1);
    chkEnableWan.action = [this] { chkEnableWan_Action(); };
    cmd1.action = [this] { cmd1_Action(); };
}

void WinWebConfig::Open() {
    txtUsername.setText(Module1::username);
    txtPassword.setText(Module1::password);
    const int32_t port = server_.port ? server_.port() : Module1::webServerPort;
    txtWebPort.setText(std::string(platform::Trim(platform::Str(port))));
    chkEnableWan.setValue(Module1::enableWAN);
    chkLogin.setValue(Module1::requireLogin);
    setTop(platform::Screen::AvailableHeight() / 2);
    setLeft(platform::Screen::AvailableWidth() / 2);
}

void WinWebConfig::chkEnableWan_Action() {
    Module1::enableWAN = chkEnableWan.value();
}

void WinWebConfig::cmd1_Action() {
    Module1::webServerPort = platform::ValInt32(txtWebPort.text());
    Module1::password = txtPassword.text();
    Module1::username = txtUsername.text();
    Module1::enableWAN = chkEnableWan.value();
    Module1::requireLogin = chkLogin.value();
    if (server_.takeSettings) server_.takeSettings();
    Module1::writeConfig();
    Hide();
}
