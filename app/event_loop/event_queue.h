#pragma once
// Events run one at a time in the order they came, across all the connections of a server: a
// handler that lets other events run while it works is never entered again before it returns.

#include <deque>
#include <functional>

namespace platform {

class EventQueue {
  public:
    // Runs event now, or when the running event and those queued before it are done. True when this
    // call ran the queue until it was empty; false when the event was left to the running call.
    bool deliver(std::function<void()> event);
    bool delivering() const { return delivering_; }

  private:
    std::deque<std::function<void()>> waiting_;
    bool delivering_ = false;
};

}  // namespace platform
