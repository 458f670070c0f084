#include "netdmx/win_network_output.h"

#include "netdmx/network_output.h"
#include "netdmx/run_plan.h"
#include "settings/extra_settings.h"

WinNetworkOutput::WinNetworkOutput() : SettingsDialog("Network Output", 420, 330, false) {
    place(chkSacn, 0, 0, 1, 2);
    place(lblSacnUniverse, 1, 0);
    place(txtSacnUniverse, 1, 1);
    place(lblSacnPriority, 2, 0);
    place(txtSacnPriority, 2, 1);
    place(lblSacnHosts, 3, 0);
    place(txtSacnHosts, 3, 1);
    place(chkArtNet, 4, 0, 1, 2);
    place(lblArtNetPortAddress, 5, 0);
    place(txtArtNetPortAddress, 5, 1);
    place(lblArtNetHosts, 6, 0);
    place(txtArtNetHosts, 6, 1);
    place(lblHostsHint, 7, 0, 1, 2);
    place(cmdOK, 8, 1);
    cmdOK.action = [this] { cmdOK_Action(); };
}

void WinNetworkOutput::fillFromSettingsInForce() {
    if (!outputs_) return;
    const netdmx::NetworkSettings& running = outputs_->runningSettings();
    chkSacn.setValue(running.sacn.enabled);
    txtSacnUniverse.setText(std::to_string(running.sacn.universe));
    txtSacnPriority.setText(std::to_string(running.sacn.priority));
    txtSacnHosts.setText(netdmx::joinHosts(running.sacn.hosts));
    chkArtNet.setValue(running.artnet.enabled);
    txtArtNetPortAddress.setText(std::to_string(running.artnet.portAddress));
    txtArtNetHosts.setText(netdmx::joinHosts(running.artnet.hosts));
}

void WinNetworkOutput::cmdOK_Action() {
    // The fields go through the same checks as the settings file.
    settings::ExtraSettings fields{
        {"sacn.enabled", chkSacn.value() ? "true" : "false"},
        {"sacn.universe", txtSacnUniverse.text()},
        {"sacn.priority", txtSacnPriority.text()},
        {"sacn.hosts", txtSacnHosts.text()},
        {"artnet.enabled", chkArtNet.value() ? "true" : "false"},
        {"artnet.port_address", txtArtNetPortAddress.text()},
        {"artnet.hosts", txtArtNetHosts.text()},
    };
    netdmx::ReadNetworkSettings read = netdmx::readNetworkSettings(fields);
    netdmx::OutputPlan plan;
    std::string problem =
        read.error.empty() ? netdmx::planOutputs(read.settings, plan) : read.error;
    applyAndSave(problem, [&] {
        // Saved with the settings.
        netdmx::giveInstallationCid(plan, Module1::extraSettings);
        if (outputs_) outputs_->start(plan);
        netdmx::storeNetworkSettings(read.settings, Module1::extraSettings);
    });
}
