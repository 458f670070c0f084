#pragma once
// Receives the network outputs' datagrams on 127.0.0.1 (or a multicast group inside a test's own
// network namespace) and hands them to tshark, a decoder this project did not write.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace testsupport {

struct Datagram {
    std::vector<uint8_t> bytes;
    int64_t receivedMs;  // monotonic clock
};

class UdpCapture {
  public:
    // Binds 127.0.0.1:port, or joins group on port when one is given.
    explicit UdpCapture(uint16_t port, const std::string& group = {});
    ~UdpCapture();
    UdpCapture(const UdpCapture&) = delete;
    UdpCapture& operator=(const UdpCapture&) = delete;
    bool ready() const { return socket_ >= 0; }

    // Takes what has arrived, stamped with the time now.
    void take();
    std::vector<Datagram> datagrams;

  private:
    friend void receiveFor(const std::vector<UdpCapture*>&, int, const std::function<bool()>&);
    int socket_ = -1;
};

// Receives on all the captures for the time, running the event loop between datagrams; stops
// early once done says so.
void receiveFor(const std::vector<UdpCapture*>& captures, int milliseconds,
                const std::function<bool()>& done = {});

// The fields tshark decodes from each datagram (sent to port), one row per datagram.
std::vector<std::vector<std::string>> tsharkFields(const std::vector<Datagram>& datagrams,
                                                   uint16_t port,
                                                   const std::vector<std::string>& fields);

int64_t steadyMs();

}  // namespace testsupport
