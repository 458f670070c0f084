#include "command/decimal_list.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

TEST(SpacedDecimals, WriteEveryNumberAfterOneSpaceAcrossDigitCounts) {
    std::string text = "x";
    const std::vector<int32_t> values{
        0, 9, 10, 99, 100, 512, 999, 1000, 2147483647, -1, std::numeric_limits<int32_t>::min()};
    command::appendSpacedDecimals(text, values);
    EXPECT_EQ(text, "x 0 9 10 99 100 512 999 1000 2147483647 -1 -2147483648");
}

TEST(SpacedDecimals, LongListsMatchTheirDecimalTexts) {
    std::vector<int32_t> values;
    std::string expected;
    for (int32_t n = 0; n < 1200; ++n) {
        values.push_back(n * 7);
        expected += ' ' + std::to_string(n * 7);
    }
    std::string text;
    command::appendSpacedDecimals(text, values);
    EXPECT_EQ(text, expected);
    command::appendSpacedDecimals(text, {});
    EXPECT_EQ(text, expected);
}

}  // namespace
