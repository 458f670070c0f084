#pragma once
// The live read-back's event stream on 127.0.0.1, read one event at a time as a phone's page reads
// it, for the tests and benchmarks that run the program as a child process. Every wait is bounded.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace testsupport {

struct StreamEvent {
    // As the "event:" line names it; empty for a comment (the heartbeat).
    std::string name;
    // The whole event as it came, its blank line included.
    std::string text;
};

class EventStreamReader {
  public:
    // Sends GET /events on a new connection to port and waits up to 5 s for the reply's head:
    // from then on the stream is told of every event.
    explicit EventStreamReader(int32_t port);
    ~EventStreamReader();
    EventStreamReader(const EventStreamReader&) = delete;
    EventStreamReader& operator=(const EventStreamReader&) = delete;

    // The next whole event, waiting at most timeoutMs; none when the time ran out or the stream
    // ended.
    std::optional<StreamEvent> next(int timeoutMs);
    // The server closed the stream.
    bool ended() const { return ended_; }
    // Bytes of the events taken so far.
    size_t bytes() const { return bytes_; }

  private:
    // Reads what comes within the time into the buffer; false once the time ran out or the stream
    // ended.
    bool receive(std::chrono::steady_clock::time_point deadline);
    std::optional<StreamEvent> takeEvent();

    int fd_ = -1;
    bool ended_ = false;
    size_t bytes_ = 0;
    std::string buffer_;
};

}  // namespace testsupport
