#pragma once
// Packets that could not be read, counted by kind and reported on the status line at most once a
// minute per kind, so a stream of garbage cannot flood the journal.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "network/osc_message.h"

namespace osc {

class FaultReports {
  public:
    // Counts one packet. The first of a kind is reported at once; later ones are held until a
    // minute has passed since that kind's last report, then reported with their count.
    std::optional<std::string> count(platform::OscFault fault, int64_t nowMs);
    // The held counts whose minute is up; for a timer, so the last ones of a burst are told too.
    std::vector<std::string> due(int64_t nowMs);

    // Some counts are held back, waiting for their minute.
    bool holding() const;

    static constexpr int64_t intervalMs = 60'000;

  private:
    struct Kind {
        std::optional<int64_t> reportedMs;
        uint64_t held = 0;
    };
    std::optional<std::string> reportIfDue(platform::OscFault fault, int64_t nowMs);

    std::array<Kind, platform::oscFaultKinds> kinds_{};
};

}  // namespace osc
