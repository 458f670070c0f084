#include "event_loop/event_queue.h"

#include <gtest/gtest.h>

#include <string>

// An event queued by a running one waits until it has returned, and the call that ran first reports
// the queue run dry.
TEST(EventQueue, RunsAnEventQueuedInsideAnotherAfterIt) {
    platform::EventQueue queue;
    std::string order;
    bool nestedRan = true;
    bool outerRan = queue.deliver([&] {
        order += "outer{";
        nestedRan = queue.deliver([&] { order += "inner"; });
        order += "}";
    });
    EXPECT_EQ(order, "outer{}inner");
    EXPECT_TRUE(outerRan);
    EXPECT_FALSE(nestedRan);
    EXPECT_FALSE(queue.delivering());
}
