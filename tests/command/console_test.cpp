#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "console_fixture.h"

namespace {

using Change = command::Console::Change;

// The labels, the views and the outputs rely on this order: each statement is logged before it
// shows its tokens and result, and the levels and then the line are told once, after the whole
// line.
TEST_F(ConsoleTest, ALineTellsEachChangeInOrderWithTheStateAlreadyMade) {
    std::vector<Change> changes;
    std::vector<std::string> seen;
    int32_t toldLevel = -1;
    console.watch([&](Change change) {
        changes.push_back(change);
        if (change != Change::levels) return;
        seen = {console.query(), console.tokensText(), caption};
        toldLevel = levels[2];
    });
    run("1@50;2@30");
    EXPECT_EQ(changes,
              (std::vector<Change>{Change::query, Change::history, Change::tokens, Change::results,
                                   Change::history, Change::tokens, Change::results,
                                   Change::history, Change::levels, Change::line}));
    EXPECT_EQ(seen, (std::vector<std::string>{"1@50;2@30", "1 @ 50 ; 2 @ 30 | ", " 2 @ 30"}));
    EXPECT_EQ(toldLevel, 77);
    EXPECT_EQ(history, "1@50;2@30|\r");

    changes.clear();
    run("");
    EXPECT_EQ(changes,
              (std::vector<Change>{Change::query, Change::history, Change::levels, Change::line}));
    EXPECT_EQ(console.tokensText(), "1 @ 50 ; 2 @ 30 | ");
}

// A fader's level leaves the typed selection and the history alone: "@30" after it still means
// the channels typed last.
TEST_F(ConsoleTest, OneChannelSetLeavesSelectionAndHistoryAndTellsTheChannel) {
    run("1@50");
    std::vector<Change> changes;
    console.watch([&](Change change) { changes.push_back(change); });
    console.setChannel(5, 127, "OSC 127.0.0.1");
    EXPECT_EQ(changes, (std::vector<Change>{Change::query, Change::results, Change::levels,
                                            Change::channel}));
    EXPECT_EQ(console.query(), "5@D127");
    EXPECT_EQ(caption, " 5 @ D127");
    EXPECT_EQ(console.lineSource(), "OSC 127.0.0.1");
    EXPECT_EQ(history, "1@50|\r");
    run("@30");
    EXPECT_EQ(levels[1], 77);
    EXPECT_EQ(levels[5], 127);

    // A burst held: one levels change at the release, with the last level in place.
    changes.clear();
    console.holdLevels();
    console.setChannel(5, 1);
    console.setChannel(5, 2);
    EXPECT_EQ(std::count(changes.begin(), changes.end(), Change::levels), 0);
    console.releaseLevels();
    console.releaseLevels();
    EXPECT_EQ(std::count(changes.begin(), changes.end(), Change::levels), 1);
    EXPECT_EQ(changes.back(), Change::levels);
    EXPECT_EQ(levels[5], 2);
}

}  // namespace
