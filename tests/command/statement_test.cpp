#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "command/level_assignment.h"
#include "command/statement_parser.h"
#include "console_fixture.h"

namespace {

using Channels = std::vector<int32_t>;

struct Worked {
    const char* line;
    Channels channels;
    int32_t value;
    const char* caption;
};

TEST_F(ConsoleTest, WorkedExamplesStoreTheirChannelsAndShowThem) {
    const Worked examples[] = {
        {"34@25", {34}, 64, " 34 @ 25"},
        {"10+20@5", {10, 20}, 127, " 10 20 @ 50"},
        {"1/5+8+11@75", {1, 2, 3, 4, 5, 8, 11}, 191, " 1 2 3 4 5 8 11 @ 75"},
        {"1/5-2-4@6", {1, 3, 5}, 153, " 1 3 5 @ 60"},
        {"1/7-4/6@3", {1, 2, 3, 7}, 77, " 1 2 3 7 @ 30"},
        {"3/9@", {3, 4, 5, 6, 7, 8, 9}, 255, " 3 4 5 6 7 8 9 @ 100"},
        {"504@D184", {504}, 184, " 504 @ 184"},
    };
    for (const Worked& example : examples) {
        SCOPED_TRACE(example.line);
        levels = {};
        run(example.line);
        EXPECT_EQ(chanArray, example.channels);
        EXPECT_EQ(caption, example.caption);
        for (int32_t ch : example.channels)
            EXPECT_EQ(levels[static_cast<size_t>(ch)], example.value);
    }
}

TEST(PercentLevels, ScaleByTheDoubleOf255WithHalvesAwayFromZero) {
    const std::pair<int32_t, int32_t> cases[] = {{0, 0},     {10, 26},  {25, 64},  {30, 77},
                                                 {50, 127},  {70, 179}, {75, 191}, {90, 229},
                                                 {100, 255}, {150, 255}};
    for (auto [level, value] : cases) {
        int32_t clamped = level;
        EXPECT_EQ(command::outputValue(clamped, false), value) << level;
    }
}

TEST_F(ConsoleTest, ALevelAloneReusesThePreviousSelection) {
    run("1/5+8+11@50");
    levels = {};
    run("@75");
    expectLevels({1, 2, 3, 4, 5, 8, 11}, 191);
    EXPECT_EQ(caption, " 1 2 3 4 5 8 11 @ 75");
}

TEST_F(ConsoleTest, ALevelAloneAsTheFirstCommandStoresNothing) {
    run("@50");
    expectLevels({}, 0);
    EXPECT_EQ(caption, " @ 50");
}

TEST_F(ConsoleTest, FullAndDmxModeFollowTheirOrder) {
    const std::pair<const char*, int32_t> cases[] = {{"1@F", 255},  {"1@", 255},  {"1@DF", 255},
                                                     {"1@FD", 100}, {"1@D5", 50}, {"1@D05", 5},
                                                     {"1@05", 13},  {"1@5F", 255}};
    for (auto [line, value] : cases) {
        run(line);
        EXPECT_EQ(levels[1], value) << line;
    }
}

TEST_F(ConsoleTest, LevelsAboveTheTopAreClampedAndShownClamped) {
    run("1@150");
    EXPECT_EQ(levels[1], 255);
    EXPECT_EQ(caption, " 1 @ 100");
    run("1@D300");
    EXPECT_EQ(levels[1], 255);
    EXPECT_EQ(caption, " 1 @ 255");
}

TEST_F(ConsoleTest, DmxModeAndLevelNeverCarryToTheNextStatement) {
    run("1@D7;2");
    EXPECT_EQ(levels[1], 70);
    EXPECT_EQ(levels[2], 255);
    EXPECT_FALSE(dmxLevels);
}

TEST_F(ConsoleTest, ExceptRemovesAndTurnsTheNextRangeIntoARemoval) {
    run("1/10-3/5");
    EXPECT_EQ(chanArray, (Channels{1, 2, 6, 7, 8, 9, 10}));
    run("1/10-3+5/7");
    EXPECT_EQ(chanArray, (Channels{1, 2, 4, 5, 8, 9, 10}));
}

TEST_F(ConsoleTest, RangesUseTheLastNumberOfAnyKind) {
    run("5/3@50");
    EXPECT_EQ(chanArray, (Channels{5}));
    run("1@50/60");
    Channels expected{1};
    for (int32_t ch = 51; ch <= 60; ++ch) expected.push_back(ch);
    EXPECT_EQ(chanArray, expected);
    EXPECT_EQ(levels[60], 127);
}

TEST_F(ConsoleTest, ChannelZeroIsStoredInElementZero) {
    run("0@50");
    expectLevels({0}, 127);
}

TEST_F(ConsoleTest, WholeUniverseReachesChannel512) {
    run("1/512@50");
    EXPECT_EQ(chanArray.size(), 512u);
    EXPECT_EQ(levels[0], 0);
    EXPECT_EQ(levels[512], 127);
}

TEST_F(ConsoleTest, AStatementNamingAChannelAbove512IsRefusedAndChangesNothing) {
    run("1/3@50");
    const Module1::LevelStore before = levels;
    const char* lines[] = {"600@20",
                           "1+513@20",
                           "1/513@20",
                           "1/4294967296@20",
                           "1/10-600@20",
                           "1@50/600",
                           "99999999999999999999@20"};
    for (const char* line : lines) {
        run(line);
        EXPECT_EQ(levels, before) << line;
        EXPECT_EQ(chanArray, (Channels{1, 2, 3})) << line;
        EXPECT_EQ(caption.rfind("Not applied: channel ", 0), 0u) << line << ": " << caption;
    }
    run("600@20");
    EXPECT_EQ(caption, "Not applied: channel 600 is above 512");
    run("1/4294967296");
    EXPECT_EQ(caption, "Not applied: channel 2147483647 is above 512");
}

TEST_F(ConsoleTest, ARefusedStatementLeavesTheOthersOfItsLineApplied) {
    run("2@50;700@10;3@D9");
    EXPECT_EQ(levels[2], 127);
    EXPECT_EQ(levels[3], 90);
    EXPECT_EQ(caption, " 3 @ 90");
}

TEST_F(ConsoleTest, LargeLevelsAndRangeStartsAreNotChannels) {
    run("7@99999999999");
    EXPECT_EQ(levels[7], 255);
    run("7@2147483647/5");
    EXPECT_EQ(chanArray, (Channels{7}));
}

TEST(NumberValue, ReadsLeadingDigitsAndSaturatesBeyond32Bits) {
    EXPECT_EQ(command::numberValue("0"), 0);
    EXPECT_EQ(command::numberValue("0042"), 42);
    EXPECT_EQ(command::numberValue("2147483647"), 2147483647);
    EXPECT_EQ(command::numberValue("2147483648"), 2147483647);
    EXPECT_EQ(command::numberValue(std::string(400, '9')), 2147483647);
    EXPECT_EQ(command::numberValue("12x3"), 12);
}

TEST(ParseStatement, AStatementThatBeginsWithItsEndShowsNothing) {
    EXPECT_TRUE(command::parseStatement({"", "|"}).endedAtOnce);
    EXPECT_FALSE(command::parseStatement({"", ";"}).endedAtOnce);
    EXPECT_FALSE(command::parseStatement({"", "[32]", "|"}).endedAtOnce);
}

TEST(ParseStatement, DisplayOnlyEntriesAndStrayNumbersAreIgnored) {
    const auto parsed = command::parseStatement({"", "[71]", "4", "9", "@", "[32]", "5", "|"});
    EXPECT_EQ(parsed.selection, command::ChannelSet().set(4));
    EXPECT_EQ(parsed.level, 50);
}

}  // namespace
