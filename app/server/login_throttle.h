#pragma once
// Stops password guessing: an address with too many failed logins within a minute has its further
// attempts refused without testing them. Refused attempts count as failures, so a guesser that
// keeps on stays locked out; one that slows below the limit gets its tries back.

#include <chrono>
#include <cstddef>
#include <deque>
#include <map>
#include <string>
#include <string_view>

namespace server {

class LoginThrottle {
  public:
    using Time = std::chrono::steady_clock::time_point;
    // The latest failures of each address, oldest first.
    using FailureLog = std::map<std::string, std::deque<Time>, std::less<>>;
    static constexpr size_t maxFailures = 10;
    static constexpr std::chrono::seconds window{60};

    // failures: where the record is kept; it outlives the throttle.
    explicit LoginThrottle(FailureLog& failures) : failures_(failures) {}

    // True while the address has maxFailures failures within the last window.
    bool refuses(std::string_view address, Time now) const;
    // Counts a failed or refused attempt; true when this one locks the address out.
    bool failed(std::string_view address, Time now);

  private:
    void forgetStale(Time now);

    // Bounded, so that guesses from ever new addresses cannot grow it without end.
    static constexpr size_t maxAddresses = 1024;
    FailureLog& failures_;
};

}  // namespace server
