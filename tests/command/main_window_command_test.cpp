#include <gtest/gtest.h>

#include <string>

#include "command/main_window_fixture.h"
#include "show/show_control.h"
#include "support/pty_pair.h"

namespace {

TEST_F(MainWindowTest, CommandLineShowsItsTokensResultAndHistoryAndStoresItsLevels) {
    window().showControl.runLine("1/5+8+11@75");
    EXPECT_EQ(window().lblTokens.caption(), "1 / 5 + 8 + 11 @ 75 | ");
    EXPECT_EQ(window().lblResults.caption(), " 1 2 3 4 5 8 11 @ 75");
    EXPECT_EQ(history(), "1/5+8+11@75|\r");
    for (int ch : {1, 2, 3, 4, 5, 8, 11}) EXPECT_EQ(window().console.DMXdata[ch], 191) << ch;
    EXPECT_EQ(window().console.DMXdata[6], 0);
    EXPECT_EQ(window().token, "");
}

// The interface's frame, then the level view.
TEST_F(MainWindowTest, ACommandLineGoesOutAsOneWholeUniverseFrameAndShowsInTheLevelView) {
    testsupport::PtyPair interface;
    window().Serial1.setSerialPort(interface.devicePath());
    ASSERT_TRUE(window().Serial1.Open());
    window().showControl.runLine("1/5+8+11@75;512@F");
    std::string expected("\x7E\x06\x01\x02\x00", 5);
    std::string levels(512, '\0');
    for (int ch : {1, 2, 3, 4, 5, 8, 11}) levels[ch - 1] = '\xBF';
    levels[511] = '\xFF';
    expected += levels;
    expected += '\xE7';
    EXPECT_EQ(interface.readNow(), expected);
    EXPECT_EQ(interface.readFor(50), "");

    const std::string& view = platform::Implicit<WinLevels>::instance().EditField1.text();
    EXPECT_EQ(view.substr(0, 24), " 191 191 191 191 191 0 0");
    EXPECT_EQ(view.substr(view.size() - 6), " 0 255");
}

TEST_F(MainWindowTest, EachLineStartsAFreshTokenListButKeepsTheSelection) {
    window().showControl.runLine("34@25");
    window().showControl.runLine("@D9");
    EXPECT_EQ(window().tokens, (std::vector<std::string>{"", "", "@", "D", "9", "|"}));
    EXPECT_EQ(window().lblTokens.caption(), " @ D 9 | ");
    EXPECT_EQ(window().lblResults.caption(), " 34 @ 90");
    EXPECT_TRUE(window().DMXlevels);
    EXPECT_EQ(window().console.DMXdata[34], 90);
    EXPECT_EQ(history(), "34@25|\r@D9|\r");
}

TEST_F(MainWindowTest, ATypoAbove512IsRefusedWithItsReasonAndKeepsTheLevels) {
    window().showControl.runLine("10+20@50");
    window().showControl.runLine("600@5");
    EXPECT_EQ(window().lblResults.caption(), "Not applied: channel 600 is above 512");
    EXPECT_EQ(window().chanArray, (std::vector<int32_t>{10, 20}));
    EXPECT_EQ(window().console.DMXdata[10], 127);
    EXPECT_EQ(window().console.DMXdata[20], 127);
}

TEST_F(MainWindowTest, AnEmptyLineShowsNothingNewAndOnlyEndsTheHistoryLine) {
    window().showControl.runLine("");
    EXPECT_EQ(window().lblResults.caption(), "Results");
    EXPECT_EQ(window().lblTokens.caption(), "Tokens");
    EXPECT_EQ(history(), "\r");
}

TEST_F(MainWindowTest, ViewsOpenedAfterALineShowTheConsoleAsItIs) {
    window().showControl.runLine("3@D7");
    platform::Implicit<winHistory>::reset();
    platform::Implicit<WinLevels>::reset();
    EXPECT_EQ(history(), "3@D7|\r");
    EXPECT_EQ(platform::Implicit<WinLevels>::instance().EditField1.text().substr(0, 8), " 0 0 70 ");
}

TEST_F(MainWindowTest, LexTokensLooksOnlyAtTheFirstCharacter) {
    window().tokens.assign(1, "");
    window().lexTokens("7x");
    window().lexTokens("@@");
    window().lexTokens("");
    EXPECT_EQ(window().tokens, (std::vector<std::string>{"", "7", "@"}));
}

}  // namespace
