#include "ui/launch.h"

#include "netdmx/network_settings.h"

namespace launch {

namespace {

// The numbers of the network outputs' options, checked as the settings dialog checks them.
bool networkNumber(const std::string& option, const std::string& text,
                   netdmx::NetworkOverrides& network, std::string& error) {
    const char* rule = netdmx::universeRule;
    bool good = false;
    if (option == "--sacn") {
        network.sacnUniverse = netdmx::parseUniverse(text);
        good = network.sacnUniverse.has_value();
    } else if (option == "--sacn-priority") {
        rule = netdmx::priorityRule;
        network.sacnPriority = netdmx::parsePriority(text);
        good = network.sacnPriority.has_value();
    } else {
        rule = netdmx::portAddressRule;
        network.artnetPortAddress = netdmx::parsePortAddress(text);
        good = network.artnetPortAddress.has_value();
    }
    if (!good) error = option + " takes " + rule + ", not \"" + text + "\"";
    return good;
}

}  // namespace

Parsed parseArguments(const std::vector<std::string>& arguments) {
    Parsed parsed;
    Options& options = parsed.options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
                parsed.error = argument + " needs a value";
                return false;
            }
            into = arguments[++i];
            return true;
        };
        std::string text;
        if (argument == "--headless") {
            options.headless = true;
        } else if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--live") {
            options.live = true;
        } else if (argument == "--show") {
            options.show = true;
        } else if (argument == "--version") {
            options.version = true;
        } else if (argument == "--port") {
            if (!value(text)) return parsed;
            options.port = settings::wholeNumber(text, 1, 65535);
            if (!options.port) {
                parsed.error =
                    "--port takes a TCP port number from 1 to 65535, not \"" + text + "\"";
                return parsed;
            }
        } else if (argument == "--prefs-dir") {
            if (!value(options.prefsDir)) return parsed;
        } else if (argument == "--app-dir") {
            if (!value(options.appDir)) return parsed;
        } else if (argument == "--wan-service") {
            if (!value(options.wanService)) return parsed;
        } else if (argument == "--serial-port") {
            if (!value(options.serialPort)) return parsed;
        } else if (argument == "--show-file") {
            if (!value(options.showFile)) return parsed;
        } else if (argument == "--fixtures") {
            if (!value(text)) return parsed;
            options.fixtureFolders.push_back(text);
        } else if (argument == "--sacn" || argument == "--sacn-priority" ||
                   argument == "--artnet") {
            if (!value(text) || !networkNumber(argument, text, options.network, parsed.error))
                return parsed;
        } else if (argument == "--sacn-to") {
            if (!value(text)) return parsed;
            options.network.sacnHosts.push_back(text);
        } else if (argument == "--artnet-to") {
            if (!value(text)) return parsed;
            options.network.artnetHosts.push_back(text);
        } else if (argument == "--osc") {
            if (!value(text)) return parsed;
            options.osc.port = osc::parsePort(text);
            if (!options.osc.port) {
                parsed.error =
                    std::string("--osc takes ") + osc::portRule + ", not \"" + text + "\"";
                return parsed;
            }
        } else if (argument == "--osc-allow") {
            if (!value(text)) return parsed;
            options.osc.allow.push_back(text);
        } else {
            parsed.error = "unknown argument \"" + argument + "\"";
            return parsed;
        }
    }
    return parsed;
}

std::string usage() {
    return R"(Usage: brannic-webserver [options]
A DMX-512 lighting console for web browsers: open the address it shows, type a command
such as 1/5+8+11@75, and the levels go out on the USB DMX Pro interface.

  --headless            run without windows; status lines go to standard output
                        (dropped, and counted, while nobody reads it); SIGHUP is ignored
  --port N              listen on TCP port N for this run (the settings file keeps its port)
  --prefs-dir DIR       folder of the settings file Tolvex.config (default: ~/.config)
  --app-dir DIR         folder of DMXform.htm and of a relative show file
                        (default: the program's folder)
  --wan-service HOST[:PORT]  service that tells the public address (GET /ip.php)
  --serial-port PATH    use this device for the DMX interface in this run, such as
                        /dev/serial/by-id/usb-...; waited for when it is not there
                        (the settings file keeps its choice)
  --live                live levels for browsers (GET /levels, GET /events) this run
  --show                show control this run: cues, fades, grand master, blackout,
                        undo (commands rec, cue, del, go, back, goto, gm, bo, undo);
                        turns the live levels on as well
  --show-file FILE      keep the show in FILE this run, such as a file the service
                        may write (the settings file keeps its show file)
  --fixtures DIR        fixture definitions (.qxf) in DIR, before the installed
                        library (repeatable)
  --sacn UNIVERSE       send the levels as sACN (E1.31) on UNIVERSE (1 to 63999)
  --sacn-to HOST        send sACN to HOST instead of multicast (repeatable)
  --sacn-priority N     sACN priority, 0 to 200 (default 100)
  --artnet PORT-ADDRESS send the levels as Art-Net on PORT-ADDRESS (0 to 32767)
  --artnet-to HOST      send Art-Net to HOST instead of broadcast (repeatable)
                        These override the Network Output settings for this run.
  --osc PORT            take OSC messages on UDP port PORT (1 to 65535)
  --osc-allow HOST      take OSC only from HOST (repeatable); these override the
                        OSC Input settings for this run
  --version             print the version
  --help                print this text

Environment: BRANNIC_SERIAL_PORTS=/dev/ttyUSB0:/dev/ttyUSB1 replaces the list of serial ports.
)";
}

}  // namespace launch
