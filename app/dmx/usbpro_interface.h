#pragma once
// The USB DMX Pro interface on its serial port: it writes the universe as frames, reads the
// parameter reply, and follows the port when the device goes away and comes back, keeping its
// entry in the list of outputs. What its owner should show comes through callbacks; it knows no
// window.

#include <functional>
#include <string>

#include "dmx/output.h"
#include "dmx/output_status.h"
#include "platform/serial.h"

namespace dmx {

class UsbProInterface : public Output {
  public:
    // The port has the interface's line settings; its device is set and opened by the owner.
    explicit UsbProInterface(OutputStates& states);
    ~UsbProInterface() override;
    UsbProInterface(const UsbProInterface&) = delete;
    UsbProInterface& operator=(const UsbProInterface&) = delete;

    platform::Serial& port() { return port_; }

    // Writes the universe's frame before returning; a frame still waiting for the device gives way
    // to this one. The same frame goes out again at once when a lost device comes back.
    void send(const Module1::LevelStore& levels) override;
    // Asks for the interface's parameters; the reply comes to parametersRead.
    void requestParameters();
    // A frame of the start code alone.
    void sendStartCodeOnly();

    // Whatever the interface sends, read as its parameter reply: "OK, Firmware: <high> .<low> .".
    std::function<void(const std::string& text)> parametersRead;
    // The device was lost, is waited for or came back: a line for the status label.
    std::function<void(const std::string& line)> statusLine;

  private:
    void readReply();
    void followPort(platform::PortState before);
    void report(const std::string& state);
    void tell(const std::function<void(const std::string&)>& callback, const std::string& text);

    OutputStates& states_;
    platform::Serial port_;
    std::string latestFrame_;
};

}  // namespace dmx
