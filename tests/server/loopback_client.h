#pragma once
// A plain TCP client on 127.0.0.1 for the command server's tests. Its waits run the event loop,
// so the server under test keeps working while the client waits.

#include <cstdint>
#include <string>
#include <string_view>

namespace testsupport {

class LoopbackClient {
  public:
    // from: another loopback address to connect from, such as "127.0.0.2".
    explicit LoopbackClient(int32_t port, const char* from = nullptr);
    ~LoopbackClient();
    LoopbackClient(const LoopbackClient&) = delete;
    LoopbackClient& operator=(const LoopbackClient&) = delete;

    void send(std::string_view bytes);
    // Ends the sending side, as a shell pipe does after its request; the reply still comes.
    void finishSending();
    // Everything received until the server closes the connection (or the time runs out).
    std::string replyUntilClosed(int timeoutMs = 3000);
    // What arrives within the time, the connection left open.
    std::string receivedWithin(int milliseconds);
    bool closedByServer() const { return closed_; }
    // Ends the connection with a reset instead of an orderly close.
    void reset();

  private:
    void drain();

    int fd_ = -1;
    bool closed_ = false;
    std::string received_;
};

}  // namespace testsupport
