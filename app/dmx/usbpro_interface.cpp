#include "dmx/usbpro_interface.h"

#include "dmx/firmware_reply.h"
#include "dmx/interface_line.h"
#include "dmx/interface_packets.h"

namespace dmx {

namespace {

const std::string outputName = "DMX USB Pro";

}  // namespace

UsbProInterface::UsbProInterface(OutputStates& states)
    : states_(states), latestFrame_(dmxFrame(Module1::LevelStore{})) {
    port_.setLineSettings(interfaceLine);
    port_.DataAvailable = [this] { readReply(); };
    port_.StateChanged = [this](platform::PortState before) { followPort(before); };
}

UsbProInterface::~UsbProInterface() {
    // The port goes after the callbacks, which must not reach this half-gone object.
    port_.DataAvailable = nullptr;
    port_.StateChanged = nullptr;
    states_.remove(outputName);
}

void UsbProInterface::send(const Module1::LevelStore& levels) {
    latestFrame_ = dmxFrame(levels);
    port_.WriteLatest(latestFrame_);
}

void UsbProInterface::requestParameters() {
    port_.Write(parameterRequest());
}

void UsbProInterface::sendStartCodeOnly() {
    port_.Write(startCodeOnlyFrame());
}

void UsbProInterface::readReply() {
    tell(parametersRead, firmwareReplyText(port_.ReadAll()));
}

void UsbProInterface::followPort(platform::PortState before) {
    const std::string& device = port_.serialPort();
    const bool lost = before == platform::PortState::open;
    switch (port_.State()) {
        case platform::PortState::closed:
            states_.remove(outputName);
            return;
        case platform::PortState::waiting:
            report(lost ? "lost, waiting for the device" : "waiting for the device");
            tell(statusLine,
                 lost ? "DMX interface on " + device + " lost: the console goes on and waits for it"
                      : "Waiting for the DMX interface on " + device);
            return;
        case platform::PortState::open:
            report("sending");
            if (before == platform::PortState::waiting) {
                tell(statusLine,
                     "DMX interface on " + device + " connected: sending the current levels");
                port_.WriteLatest(latestFrame_);
            }
            return;
    }
}

void UsbProInterface::report(const std::string& state) {
    states_.report({outputName, port_.serialPort(), state});
}

void UsbProInterface::tell(const std::function<void(const std::string&)>& callback,
                           const std::string& text) {
    if (callback) callback(text);
}

}  // namespace dmx
