// Launch: the command line, the plug-in's methods, the application and its main window.
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <iostream>

#include "command/console.h"
#include "dmx/output.h"
#include "netdmx/network_output.h"
#include "netdmx/run_plan.h"
#include "osc/osc_input.h"
#include "platform/events.h"
#include "platform/files.h"
#include "platform/line_writer.h"
#include "platform/system.h"
#include "platform/text.h"
#include "server/entrypoints.h"
#include "settings/config.h"
#include "settings/extra_settings.h"
#include "shell/window1.h"
#include "show/show_control.h"
#include "ui/headless_console.h"
#include "ui/launch.h"
#include "ui/new_addresses.h"
#include "ui/system_service.h"

namespace {

using PrintLine = std::function<void(const std::string&)>;

// Beside the program in the build folder; in the installed place relative to it otherwise.
std::filesystem::path pluginPath() {
    std::filesystem::path beside = platform::ExecutableFolder() / Module1::pluginFileName;
    if (std::filesystem::exists(beside)) return beside;
    return platform::ExecutableFolder() / "../lib/brannic-webserver" / Module1::pluginFileName;
}

// The address a browser on the LAN should open.
std::string consoleAddress() {
    bool lan = platform::System::Network::NetworkInterfaceCount() > 0;
    return lan ? platform::System::Network::IPAddress(0) : std::string("127.0.0.1");
}

void printSerialPorts(const PrintLine& printLine) {
    std::string list;
    auto ports = platform::System::SerialPortList();
    for (size_t i = 0; i < ports.size(); ++i)
        list += (i ? ", " : "") + platform::Str(int64_t(i)) + " = " + ports[i].Name();
    printLine("Serial ports: " + (list.empty() ? std::string("none") : list));
}

// Without a screen the DMX interface dialog cannot ask for the port: say how to name one.
void printPortAdvice(const PrintLine& printLine) {
    printLine(
        "No DMX interface port is open. Start with --serial-port PATH (best a "
        "/dev/serial/by-id/ name), or write the port's index from the list above on line 2 "
        "of " +
        platform::PreferencesFolder().Child("Tolvex.config").path().string());
}

void applyFolders(const launch::Options& options) {
    if (!options.prefsDir.empty()) platform::setPreferencesFolder(options.prefsDir);
    if (!options.appDir.empty())
        platform::setApplicationFolder(std::filesystem::absolute(options.appDir));
    if (!options.wanService.empty()) Module1::wanServiceHost = options.wanService;
    Module1::portOverride = options.port;
    Module1::serialPortOverride = options.serialPort;
    Module1::liveOverride = options.live;
    Module1::showOverride = options.show;
    if (!options.showFile.empty())
        Module1::showFileOverride = std::filesystem::absolute(options.showFile).string();
    Module1::fixtureFolders = options.fixtureFolders;
}

}  // namespace

int main(int argc, char** argv) {
    platform::openClosedStandardStreams();
    launch::Parsed parsed = launch::parseArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        std::cerr << "brannic-webserver: " << parsed.error << "\n\n" << launch::usage();
        return 2;
    }
    const launch::Options& options = parsed.options;
    if (options.help) {
        std::cout << launch::usage();
        return 0;
    }
    if (options.version) {
        std::cout << "brannic-webserver " << BRANNIC_VERSION_MAJOR << "." << BRANNIC_VERSION_MINOR
                  << "\n";
        return 0;
    }
    applyFolders(options);

    if (std::string problem = Module1::bindPluginMethods(pluginPath()); !problem.empty()) {
        std::cerr << "brannic-webserver: " << problem << "\n";
        return 1;
    }

    // Read once, before the network plan and the start-up sequence that both use them.
    Module1::loadExtraSettings();
    netdmx::RunPlan network = netdmx::planThisRun(options.network);
    if (!network.error.empty()) {
        std::cerr << "brannic-webserver: " << network.error << "\n";
        return 2;
    }
    if (!network.warning.empty()) std::cerr << "brannic-webserver: " << network.warning << "\n";
    osc::InputRun oscInput = osc::planInputThisRun(options.osc);
    if (!oscInput.error.empty()) {
        std::cerr << "brannic-webserver: " << oscInput.error << "\n";
        return 2;
    }
    if (!oscInput.warning.empty()) std::cerr << "brannic-webserver: " << oscInput.warning << "\n";

    platform::Application app(argc, argv, options.headless);
    platform::quitOnTerminationSignals();
    // Status lines never hold up the event thread: a stopped terminal or pipe loses some instead.
    platform::LineWriter statusOutput(STDOUT_FILENO);
    PrintLine printLine = [&statusOutput](const std::string& line) {
        statusOutput.writeLine(line);
    };
    Window1& window = platform::Implicit<Window1>::adopt(std::make_unique<Window1>());
    if (platform::Application::headless()) {
        platform::ignoreHangups();
        headless::attach(window, printLine);
        printSerialPorts(printLine);
    }
    window.Open();
    window.Show();
    if (platform::Application::headless()) {
        if (window.Serial1.State() == platform::PortState::closed) printPortAdvice(printLine);
        printLine(headless::openInBrowserLine(consoleAddress(), window.ServerPort));
        headless::announceNewAddresses(window, printLine);
        systemService::start(window);
    }
    window.networkOutputs.start(network.plan);
    window.oscInput.start(oscInput.plan);
    // With show control on, the look kept in the show file is the first frame on the interface
    // and the first network packets, before the server answers anything.
    if (window.showControl.on()) window.outputs.send(window.console.DMXdata);
    int status = app.run();
    // A quit from the menu and a termination signal both end the loop: the show's last change
    // reaches its file before anything stops.
    window.flushShow();
    window.oscInput.stop();
    window.networkOutputs.stop();
    platform::Implicit<Window1>::reset();
    return status;
}
