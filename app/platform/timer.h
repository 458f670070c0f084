#pragma once
// A single-shot timer on the event thread that can be re-armed or stopped, and goes with its owner.

#include <cstdint>
#include <functional>
#include <memory>

namespace platform {

// The steady clock in milliseconds: intervals between events, never the time of day.
int64_t steadyMs();

class Timer {
  public:
    explicit Timer(std::function<void()> fired);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    // Fires once after milliseconds; a start while armed moves the time.
    void start(int milliseconds);
    void stop();
    // Started and not yet fired or stopped.
    bool armed() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform
