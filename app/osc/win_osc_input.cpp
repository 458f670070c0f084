#include "osc/win_osc_input.h"

#include "netdmx/network_settings.h"
#include "osc/osc_input.h"
#include "settings/extra_settings.h"

WinOscInput::WinOscInput() : SettingsDialog("OSC Input", 420, 160, false) {
    place(lblPort, 0, 0);
    place(txtPort, 0, 1);
    place(lblAllow, 1, 0);
    place(txtAllow, 1, 1);
    place(lblHint, 2, 0, 1, 2);
    place(cmdOK, 3, 1);
    cmdOK.action = [this] { cmdOK_Action(); };
}

void WinOscInput::fillFromSettingsInForce() {
    if (!input_) return;
    const osc::OscSettings& running = input_->runningSettings();
    txtPort.setText(running.port ? std::to_string(*running.port) : "");
    txtAllow.setText(netdmx::joinHosts(running.allow));
}

void WinOscInput::cmdOK_Action() {
    // The fields go through the same checks as the settings file.
    osc::ReadOscSettings read =
        osc::readOscSettings({{"osc.port", txtPort.text()}, {"osc.allow", txtAllow.text()}});
    osc::InputPlan plan;
    std::string problem = read.error.empty() ? osc::planInput(read.settings, plan) : read.error;
    applyAndSave(problem, [&] {
        if (input_) input_->start(plan);
        osc::storeOscSettings(read.settings, Module1::extraSettings);
    });
}
