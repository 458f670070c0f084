#include "platform/write_queue.h"

#include <gtest/gtest.h>

TEST(WriteQueue, PacketsLeaveWholeAndTheNewestStateReplacesOnlyAWaitingOne) {
    platform::WriteQueue queue;
    queue.pushLatest("frame1");
    queue.written(2);  // the device took a part: the rest goes first, untouched
    queue.pushLatest("frame2");
    queue.pushLatest("frame3");
    queue.push("ask");
    queue.pushLatest("frame4");
    queue.pushLatest("frame5");
    std::string wire;
    while (!queue.empty()) {
        wire += queue.next();
        queue.written(queue.next().size());
    }
    EXPECT_EQ(wire, "ame1frame3askframe5");
    EXPECT_EQ(queue.bytes(), 0u);
}
