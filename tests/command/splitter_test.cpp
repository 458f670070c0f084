#include <gtest/gtest.h>

#include <string>

#include "console_fixture.h"

namespace {

TEST_F(ConsoleTest, HistoryHoldsEachStatementWithItsSeparatorAndOneCrPerLine) {
    run("1@50;2@30");
    run("3&4");
    EXPECT_EQ(history.text(), "1@50;2@30|\r3|4|\r");
    EXPECT_EQ(statementsRun, 4);
}

TEST_F(ConsoleTest, AnEmptyStatementEndsTheLine) {
    run("1@50;;2@30");
    EXPECT_EQ(levels[1], 127);
    EXPECT_EQ(levels[2], 0);
    EXPECT_EQ(history.text(), "1@50;\r");
    statementsRun = 0;
    run("");
    EXPECT_EQ(statementsRun, 0);
    EXPECT_EQ(history.text(), "1@50;\r\r");
}

TEST_F(ConsoleTest, DisplayOnlyEntriesStayInTheStatement) {
    run(" 5@F");
    EXPECT_EQ(history.text(), "[32]5@F|\r");
    EXPECT_EQ(levels[5], 255);
}

TEST_F(ConsoleTest, HistoryIsClearedOnlyOncePast30000Characters) {
    history.setText(std::string(command::historyLimit, 'x'));
    run("1@50");
    EXPECT_EQ(history.text().size(), command::historyLimit + 6);
    run("2@50");
    EXPECT_EQ(history.text(), "2@50|\r");
}

}  // namespace
