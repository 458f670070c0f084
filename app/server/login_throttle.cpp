#include "server/login_throttle.h"

#include <algorithm>

namespace server {

namespace {

bool locked(const std::deque<LoginThrottle::Time>& failures, LoginThrottle::Time now) {
    return failures.size() >= LoginThrottle::maxFailures &&
           now - failures.front() < LoginThrottle::window;
}

}  // namespace

bool LoginThrottle::refuses(std::string_view address, Time now) const {
    auto found = failures_.find(address);
    return found != failures_.end() && locked(found->second, now);
}

bool LoginThrottle::failed(std::string_view address, Time now) {
    auto found = failures_.find(address);
    if (found == failures_.end()) {
        if (failures_.size() >= maxAddresses) forgetStale(now);
        found = failures_.emplace(std::string(address), std::deque<Time>{}).first;
    }
    std::deque<Time>& failures = found->second;
    bool wasLocked = locked(failures, now);
    failures.push_back(now);
    if (failures.size() > maxFailures) failures.pop_front();
    return !wasLocked && locked(failures, now);
}

// Drops the addresses that have not failed within the window; when all have, the one that failed
// least recently.
void LoginThrottle::forgetStale(Time now) {
    std::erase_if(failures_,
                  [now](const auto& entry) { return now - entry.second.back() >= window; });
    if (failures_.size() < maxAddresses) return;
    failures_.erase(std::min_element(
        failures_.begin(), failures_.end(),
        [](const auto& a, const auto& b) { return a.second.back() < b.second.back(); }));
}

}  // namespace server
