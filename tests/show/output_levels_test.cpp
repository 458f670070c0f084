#include "show/output_levels.h"

#include <gtest/gtest.h>

namespace {

TEST(OutputLevels, TheMasterRoundsHalvesUpAndBlackoutIsDark) {
    Module1::LevelStore levels{};
    levels[1] = 255;
    levels[2] = 1;
    Module1::LevelStore half = show::outputLevels(levels, 50, false);
    EXPECT_EQ(half[1], 128);
    EXPECT_EQ(half[2], 1);
    EXPECT_EQ(show::outputLevels(levels, 100, false), levels);
    EXPECT_EQ(show::outputLevels(levels, 100, true), Module1::LevelStore{});
}

}  // namespace
