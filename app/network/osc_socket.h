#pragma once
// OSC over UDP on the event thread, by IPv4 and IPv6: the console takes each datagram off its
// socket and liblo reads it, without a thread of its own. Each wake of a socket reads for a
// bounded time, so a flood cannot hold up the other events (what it leaves waits in the socket's
// buffer, and what overflows that is lost before it is read); replies go out without waiting, and
// a full send buffer drops them.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "network/osc_message.h"

namespace platform {

class OscSocket {
  public:
    OscSocket();
    ~OscSocket();
    OscSocket(const OscSocket&) = delete;
    OscSocket& operator=(const OscSocket&) = delete;

    // Listens on port on every IPv4 and IPv6 address (IPv4 alone on a machine without IPv6); 0
    // takes a free port the system picks. The reason of a failure, empty when it listens.
    std::string open(uint16_t port);
    // May be called from inside received: the socket closes once that message is done.
    void close();
    bool isOpen() const;
    // The port it listens on, 0 when closed.
    uint16_t port() const;

    // Each message, in order (a bundle's messages one after another, at once, whatever their time
    // tag); what it returns goes back to the sender's address and port. The socket must not be
    // destroyed from inside these handlers.
    std::function<OscReply(const OscMessage&, const OscSender&)> received;
    // A reply sent later than its message's received returned (or from inside it), to the sender's
    // address and port; an empty address sends nothing.
    void reply(const OscSender& sender, const OscReply& reply);
    // A datagram that could not be read as OSC; it changed nothing.
    std::function<void(OscFault)> faulted;
    // After the datagrams of one wake: what many messages need only once, such as a frame.
    std::function<void()> wakeDone;

    // Longer datagrams are dropped as too large: no OSC message the console takes comes near.
    static constexpr size_t largestDatagram = 32768;
    // OSC work per wake: a quarter millisecond keeps a flood from holding up the web server's
    // turns (a request takes several).
    static constexpr std::chrono::microseconds workPerWake{250};

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform
