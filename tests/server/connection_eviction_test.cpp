#include "server/connection_eviction.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using server::EvictionCandidate;
using std::chrono::seconds;

TEST(ConnectionEviction, IdleGivesWayBeforeSendingAndTheQuietestFirst) {
    server::SteadyTime now{seconds(1000)};
    EvictionCandidate typist{1, now - seconds(5), true};
    EvictionCandidate silentNew{2, now - seconds(1), false};
    EvictionCandidate silentOld{3, now - seconds(3), false};
    EvictionCandidate asleep{4, now - seconds(11), true};
    std::vector<EvictionCandidate> all{typist, silentNew, silentOld, asleep};
    EXPECT_EQ(server::connectionToEvict(all, now), 4u);
    all.pop_back();
    EXPECT_EQ(server::connectionToEvict(all, now), 3u);
    std::vector<EvictionCandidate> sending{{5, now - seconds(1), true}, typist};
    EXPECT_EQ(server::connectionToEvict(sending, now), 1u);
    EXPECT_EQ(server::connectionToEvict({}, now), std::nullopt);
}

}  // namespace
