#pragma once
// Watchers of one piece of state: each is told after every change until it is taken off by the
// number watch gave it, so a watcher that goes before the state leaves nothing behind.

#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

namespace platform {

template <typename... Args>
class Watchers {
  public:
    using Watcher = std::function<void(Args...)>;

    size_t watch(Watcher watcher) {
        watchers_.emplace_back(++lastWatcher_, std::move(watcher));
        return lastWatcher_;
    }

    void unwatch(size_t watcher) {
        std::erase_if(watchers_, [watcher](const auto& entry) { return entry.first == watcher; });
    }

    void tell(Args... args) const {
        // A copy: a watcher may add or take off another.
        auto watchers = watchers_;
        for (const auto& entry : watchers) entry.second(args...);
    }

  private:
    std::vector<std::pair<size_t, Watcher>> watchers_;
    size_t lastWatcher_ = 0;
};

}  // namespace platform
