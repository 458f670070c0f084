#pragma once
// A scripted HTTP server on 127.0.0.1 that runs on its own thread, so that a client which blocks
// the event thread while it waits can still be answered.

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <variant>
#include <vector>

namespace testsupport {

class HttpTestServer {
  public:
    struct Pause {
        std::chrono::milliseconds length;
    };
    // What the server does for each connection, in order: send bytes, pause, and at the end close
    // (or, with holdOpen, keep the connection until the server goes).
    using Step = std::variant<std::string, Pause>;

    explicit HttpTestServer(std::vector<Step> script, bool holdOpen = false);
    ~HttpTestServer();
    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    int port() const { return port_; }
    // "127.0.0.1:port".
    std::string hostAndPort() const;
    // The request heads received so far, one per connection.
    std::vector<std::string> requests() const;

  private:
    void serve();
    void answer(int connection);

    std::vector<Step> script_;
    bool holdOpen_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

}  // namespace testsupport
