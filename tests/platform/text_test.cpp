#include "platform/text.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(Text, ValTakesTheLeadingNumberOnly) {
    EXPECT_EQ(ValInt32("8080abc"), 8080);
    EXPECT_EQ(ValInt32("-1"), -1);
    EXPECT_EQ(ValInt32("  42"), 42);
    EXPECT_EQ(ValInt32("abc"), 0);
    EXPECT_EQ(ValInt32(""), 0);
    EXPECT_EQ(ValInt32("inf"), 0);
    EXPECT_EQ(ValInt32("nan"), 0);
    EXPECT_EQ(ValInt32("12.9"), 12);
    EXPECT_DOUBLE_EQ(Val("2.5e1x"), 25.0);
}

TEST(Text, ValInt32SaturatesBeyondTheRange) {
    EXPECT_EQ(ValInt32("99999999999"), 2147483647);
    EXPECT_EQ(ValInt32("-99999999999"), -2147483647 - 1);
    EXPECT_EQ(ValInt32("1e400"), 2147483647);
}

TEST(Text, TrimRemovesSpacesOnly) {
    EXPECT_EQ(Trim("  34@25 "), "34@25");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(Trim("\t1\r"), "\t1\r");
}

TEST(Text, InStrIsOneBasedAndZeroWhenAbsent) {
    EXPECT_EQ(InStr("GET / HTTP/1.0", "HTTP"), 7u);
    EXPECT_EQ(InStr("abc", "x"), 0u);
    EXPECT_EQ(InStr("a=b=c", "=", 3), 4u);
    EXPECT_EQ(InStr("abc", "c", 9), 0u);
    EXPECT_EQ(InStrNoCase("<p></body></HTML>", "</BODY>"), 4u);
    EXPECT_EQ(InStrNoCase("ab", "abc"), 0u);
}

TEST(Text, StrPrintsPlainDecimal) {
    EXPECT_EQ(Str(-1), "-1");
    EXPECT_EQ(Str(0), "0");
    EXPECT_EQ(Str(8080), "8080");
}
