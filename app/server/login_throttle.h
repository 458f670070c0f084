#pragma once
// Stops password guessing: an address with too many failed logins within a minute has its further
// attempts refused without testing them. Refused attempts count as failures, so a guesser that
// keeps on stays locked out; one that slows below the limit gets its tries back.

#include <array>
#include <chrono>
#include <cstddef>
#include <map>
#include <string>
#include <string_view>

namespace server {

class LoginThrottle {
  public:
    using Time = std::chrono::steady_clock::time_point;
    static constexpr size_t maxFailures = 10;
    static constexpr std::chrono::seconds window{60};

    // True while the address has maxFailures failures within the last window.
    bool refuses(std::string_view address, Time now) const;
    // Counts a failed or refused attempt; true when this one locks the address out.
    bool failed(std::string_view address, Time now);

  private:
    // The latest failures of one address, oldest overwritten first.
    struct Failures {
        std::array<Time, maxFailures> times{};
        size_t count = 0;
        Time latest() const { return times[(count - 1) % maxFailures]; }
        bool locked(Time now) const;
    };
    void forgetStale(Time now);

    // Bounded, so that guesses from ever new addresses cannot grow it without end.
    static constexpr size_t maxAddresses = 1024;
    std::map<std::string, Failures, std::less<>> failures_;
};

}  // namespace server
