#include "event_loop/event_queue.h"

namespace platform {

bool EventQueue::deliver(std::function<void()> event) {
    waiting_.push_back(std::move(event));
    if (delivering_) return false;
    delivering_ = true;
    while (!waiting_.empty()) {
        auto next = std::move(waiting_.front());
        waiting_.pop_front();
        next();
    }
    delivering_ = false;
    return true;
}

}  // namespace platform
