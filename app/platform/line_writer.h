#pragma once
// Lines to an output (standard output of the headless console) that never block the event thread.
// The lines of one turn of the event loop go out together in one write.
// They queue up to a bound and go out as fast as the reader takes them. While the reader is slow or
// stopped (Ctrl+S in a terminal, a pipe nobody reads), further lines are dropped and counted; once
// the queue has drained, one line says how many. A reader that has gone away (a closed pipe, a
// hung-up terminal) ends the output quietly.

#include <cstddef>
#include <memory>
#include <string_view>

namespace platform {

class LineWriter {
  public:
    // fd stays open and keeps its flags: the writer makes its own non-blocking way to it.
    explicit LineWriter(int fd, size_t capacity = 64 * 1024);
    ~LineWriter();
    LineWriter(const LineWriter&) = delete;
    LineWriter& operator=(const LineWriter&) = delete;

    // Queues the line and its line end, or drops it when the queue is full.
    void writeLine(std::string_view line);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform
