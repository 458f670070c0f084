#pragma once
// Work done on a thread of its own, one job at a time, whose end is told on the event thread: a
// long write (a big show file and its fsync) must not hold up the frames the event thread sends.

#include <functional>
#include <memory>

namespace platform {

class BackgroundJob {
  public:
    BackgroundJob();
    // Waits for a running job; its end is not told.
    ~BackgroundJob();
    BackgroundJob(const BackgroundJob&) = delete;
    BackgroundJob& operator=(const BackgroundJob&) = delete;

    // Runs work on the job's thread, then ended on the event thread. Only while not busy.
    void start(std::function<void()> work, std::function<void()> ended);
    // From start until ended has run.
    bool busy() const;
    // Waits for the running job, if one runs, and runs its ended now.
    void finish();

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform
