#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console_fixture.h"

namespace {

using Change = command::Console::Change;

// The labels, the views and the outputs rely on this order: each statement is logged before it
// shows its tokens and result, and the levels are told once, after the whole line.
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
    EXPECT_EQ(changes, (std::vector<Change>{Change::query, Change::history, Change::tokens,
                                            Change::results, Change::history, Change::tokens,
                                            Change::results, Change::history, Change::levels}));
    EXPECT_EQ(seen, (std::vector<std::string>{"1@50;2@30", "1 @ 50 ; 2 @ 30 | ", " 2 @ 30"}));
    EXPECT_EQ(toldLevel, 77);
    EXPECT_EQ(history, "1@50;2@30|\r");

    changes.clear();
    run("");
    EXPECT_EQ(changes, (std::vector<Change>{Change::query, Change::history, Change::levels}));
    EXPECT_EQ(console.tokensText(), "1 @ 50 ; 2 @ 30 | ");
}

}  // namespace
