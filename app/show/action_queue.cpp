#include "show/action_queue.h"

#include <utility>

namespace show {

void ActionQueue::submit(ConsoleAction action, std::string source, Done done) {
    waiting_.push_back({std::move(action), std::move(source), std::move(done)});
    if (!running_ && !startPosted_) runWaiting();
}

void ActionQueue::submitAndReturn(ConsoleAction action, std::string source, Done done) {
    waiting_.push_back({std::move(action), std::move(source), std::move(done)});
    if (running_ || startPosted_) return;
    startPosted_ = true;
    post_([this] {
        startPosted_ = false;
        runWaiting();
    });
}

void ActionQueue::runWaiting() {
    running_ = true;
    while (!waiting_.empty()) {
        Waiting next = std::move(waiting_.front());
        waiting_.pop_front();
        const std::string result = run_(next.action, next.source);
        if (next.done) next.done(result);
    }
    running_ = false;
}

}  // namespace show
