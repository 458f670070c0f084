#include "netdmx/send_schedule.h"

#include <gtest/gtest.h>

namespace {

using netdmx::SendSchedule;

// Runs the schedule as the output does, with a change every millisecond for a second; the times
// of the packets sent.
std::vector<int64_t> burst(SendSchedule& schedule, int64_t from, int64_t until) {
    std::vector<int64_t> sent;
    for (int64_t now = from; now < until; ++now) {
        if (now < from + 1000) schedule.changed();
        if (schedule.due(now)) {
            schedule.sent(now);
            sent.push_back(now);
        }
    }
    return sent;
}

TEST(SendSchedule, BurstIsCappedAndItsLastChangeGoesOutWithinAFrame) {
    SendSchedule schedule;
    std::vector<int64_t> sent = burst(schedule, 5000, 7000);
    // At most 44 packets in any second.
    for (size_t i = 0; i + 44 < sent.size(); ++i) EXPECT_GE(sent[i + 44] - sent[i], 1000);
    // The change at 5999 (the last) is carried by a packet no later than 23 ms after it.
    auto carrying = std::find_if(sent.begin(), sent.end(), [](int64_t t) { return t >= 5999; });
    ASSERT_NE(carrying, sent.end());
    EXPECT_LE(*carrying - 5999, SendSchedule::minGapMs);
    // Then the keep-alive: nothing sooner than 800 ms, nothing later than 1000 ms.
    ASSERT_NE(carrying + 1, sent.end());
    EXPECT_GE(*(carrying + 1) - *carrying, 800);
    EXPECT_LE(*(carrying + 1) - *carrying, 1000);
}

}  // namespace
