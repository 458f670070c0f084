#include "server/login_throttle.h"

#include <algorithm>

namespace server {

bool LoginThrottle::Failures::locked(Time now) const {
    // With maxFailures recorded, the oldest of them is the one in the next slot.
    return count >= maxFailures && now - times[count % maxFailures] < window;
}

bool LoginThrottle::refuses(std::string_view address, Time now) const {
    auto found = failures_.find(address);
    return found != failures_.end() && found->second.locked(now);
}

bool LoginThrottle::failed(std::string_view address, Time now) {
    auto found = failures_.find(address);
    if (found == failures_.end()) {
        if (failures_.size() >= maxAddresses) forgetStale(now);
        found = failures_.emplace(std::string(address), Failures{}).first;
    }
    Failures& record = found->second;
    bool wasLocked = record.locked(now);
    record.times[record.count % maxFailures] = now;
    ++record.count;
    return !wasLocked && record.locked(now);
}

// Drops the addresses that have not failed within the window; when all have, the one that failed
// least recently.
void LoginThrottle::forgetStale(Time now) {
    std::erase_if(failures_,
                  [now](const auto& entry) { return now - entry.second.latest() >= window; });
    if (failures_.size() < maxAddresses) return;
    failures_.erase(std::min_element(
        failures_.begin(), failures_.end(),
        [](const auto& a, const auto& b) { return a.second.latest() < b.second.latest(); }));
}

}  // namespace server
