#pragma once
// When a network output sends, given the time (milliseconds on a monotonic clock) from outside:
// a change goes out at once, or as soon as the rate cap allows, and never later than one DMX frame
// time after it; at most 44 packets a second; an unchanged universe is sent again before receivers
// (which give up after 2.5 s) could take the source for lost. Changes that arrive faster than the
// cap coalesce: the next packet carries the latest levels, never a backlog.

#include <cstdint>

namespace netdmx {

class SendSchedule {
  public:
    // 1000 / 44, rounded up, keeps within 44 packets in any second.
    static constexpr int64_t minGapMs = 23;
    static constexpr int64_t keepAliveMs = 900;

    void changed() { pending_ = true; }
    bool due(int64_t nowMs) const;
    void sent(int64_t nowMs);
    // Milliseconds from now until the next packet is due; 0 when it is due now.
    int64_t wait(int64_t nowMs) const;

  private:
    bool pending_ = true;
    bool everSent_ = false;
    int64_t lastSentMs_ = 0;
};

}  // namespace netdmx
