#include "server/login_throttle.h"

#include <gtest/gtest.h>

namespace {

using server::LoginThrottle;
using std::chrono::seconds;

TEST(LoginThrottle, TenFailuresWithinAMinuteLockOutThatAddressUntilItPauses) {
    LoginThrottle::FailureLog failures;
    LoginThrottle throttle(failures);
    LoginThrottle::Time start{};
    for (int i = 0; i < 9; ++i) EXPECT_FALSE(throttle.failed("10.0.0.9", start + seconds(i)));
    EXPECT_FALSE(throttle.refuses("10.0.0.9", start + seconds(9)));
    EXPECT_TRUE(throttle.failed("10.0.0.9", start + seconds(9)));  // said once
    EXPECT_TRUE(throttle.refuses("10.0.0.9", start + seconds(10)));
    EXPECT_FALSE(throttle.refuses("10.0.0.8", start + seconds(10)));
    // Refused attempts count too: a guesser that keeps on stays locked out.
    for (int i = 10; i < 100; i += 5) EXPECT_FALSE(throttle.failed("10.0.0.9", start + seconds(i)));
    EXPECT_TRUE(throttle.refuses("10.0.0.9", start + seconds(100)));
    EXPECT_FALSE(throttle.refuses("10.0.0.9", start + seconds(160)));
}

TEST(LoginThrottle, FailuresSpreadOverMoreThanAMinuteNeverLock) {
    LoginThrottle::FailureLog failures;
    LoginThrottle throttle(failures);
    LoginThrottle::Time start{};
    for (int i = 0; i < 30; ++i) EXPECT_FALSE(throttle.failed("::1", start + seconds(7 * i)));
    EXPECT_FALSE(throttle.refuses("::1", start + seconds(7 * 30)));
}

}  // namespace
