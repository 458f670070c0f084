#pragma once
// The framework's serial port: 57600 baud, 8 data bits, no parity, 1 stop bit, no flow control,
// DTR off.

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

class Serial {
  public:
    Serial();
    ~Serial();
    Serial(const Serial&) = delete;
    Serial& operator=(const Serial&) = delete;

    // Setting the port of an open Serial closes the old port first.
    void setSerialPort(const std::string& device);
    const std::string& serialPort() const;
    // True on success, also when the port is open already.
    bool Open();
    void Close();
    bool IsOpen() const;
    void Write(std::string_view bytes);
    std::string ReadAll();

    std::function<void()> DataAvailable;
    // The port failed and was closed (the far end went away, the device vanished).
    std::function<void(const std::string& reason)> Error;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform
