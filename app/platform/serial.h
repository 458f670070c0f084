#pragma once
// A serial port on a POSIX terminal device, written without blocking and woken by the event loop.
// When the device goes away (unplugged, hung up, its node deleted) the port waits for it to come
// back at the same path and opens it again by itself.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

struct LineSettings {
    enum class Parity { none, odd, even };
    enum class FlowControl { none, hardware, software };
    int32_t baud = 9600;
    int dataBits = 8;
    Parity parity = Parity::none;
    int stopBits = 1;
    FlowControl flowControl = FlowControl::none;
    bool dataTerminalReady = true;
};

enum class PortState {
    closed,
    open,
    // The device is not there: the port opens it again as soon as it is.
    waiting,
};

class Serial {
  public:
    Serial();
    ~Serial();
    Serial(const Serial&) = delete;
    Serial& operator=(const Serial&) = delete;

    // Used by every later open, the reopen after a loss included.
    void setLineSettings(const LineSettings& settings);
    // Setting the port closes the old one, and stops waiting for it.
    void setSerialPort(const std::string& device);
    const std::string& serialPort() const;
    // True on success, also when the port is open already.
    bool Open();
    // Opens the port, or when the device is not there yet, waits for it as for a lost one.
    bool OpenOrWait();
    void Close();
    bool IsOpen() const;
    PortState State() const;

    // Writes at once as much as the device takes; the rest follows, whole and in order.
    void Write(std::string_view bytes);
    // Like Write for a packet that tells the latest state: while it still waits for the device,
    // a newer one takes its place.
    void WriteLatest(std::string_view bytes);
    // Bytes written but not yet taken by the device.
    size_t PendingBytes() const;
    std::string ReadAll();

    std::function<void()> DataAvailable;
    // The port opened, closed, was lost or came back; State() tells how it is now.
    std::function<void(PortState before)> StateChanged;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform
