#include <gtest/gtest.h>

#include <string>

#include "console_fixture.h"

namespace {

TEST_F(ConsoleTest, HistoryHoldsEachStatementWithItsSeparatorAndOneCrPerLine) {
    run("1@50;2@30");
    run("3&4");
    EXPECT_EQ(history, "1@50;2@30|\r3|4|\r");
    EXPECT_EQ(statementsRun, 4);
}

TEST_F(ConsoleTest, AnEmptyStatementEndsTheLine) {
    run("1@50;;2@30");
    EXPECT_EQ(levels[1], 127);
    EXPECT_EQ(levels[2], 0);
    EXPECT_EQ(history, "1@50;\r");
    statementsRun = 0;
    run("");
    EXPECT_EQ(statementsRun, 0);
    EXPECT_EQ(history, "1@50;\r\r");
}

TEST_F(ConsoleTest, DisplayOnlyEntriesStayInTheStatement) {
    run(" 5@F");
    EXPECT_EQ(history, "[32]5@F|\r");
    EXPECT_EQ(levels[5], 255);
}

TEST_F(ConsoleTest, HistoryIsClearedOnlyOncePast30000Characters) {
    // Each space shows as "[32]": "1@" and its ends bring the history to the limit exactly.
    run(std::string((command::historyLimit - 4) / 4, ' ') + "1@");
    ASSERT_EQ(history.size(), command::historyLimit);
    run("1@50");
    EXPECT_EQ(history.size(), command::historyLimit + 6);
    run("2@50");
    EXPECT_EQ(history, "2@50|\r");
}

}  // namespace
