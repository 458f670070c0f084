#include "show/fade.h"

#include <gtest/gtest.h>

namespace {

// Rising channels take the up time, falling ones the down time; at every DMX frame each is on its
// straight line (to the nearest level, well inside 2% of full scale) and it lands exactly.
TEST(Fade, EachChannelFollowsItsLineAndEndsExactlyOnTime) {
    Module1::LevelStore from{}, to{};
    from[2] = 255;
    to[1] = 255;
    from[3] = to[3] = 40;
    Module1::LevelStore levels = from;
    show::Fade fade(from, to, {3000, 5000}, 1000);
    for (show::Milliseconds now = 1000; now < 6000; now += 23) {
        show::FadeStep step = fade.step(levels, now);
        double elapsed = double(now - 1000);
        EXPECT_NEAR(levels[1], std::min(1.0, elapsed / 3000) * 255, 0.5) << now;
        EXPECT_NEAR(levels[2], 255 - elapsed / 5000 * 255, 0.5) << now;
        EXPECT_FALSE(step.ended);
    }
    EXPECT_EQ(fade.progress(3500), 0.5);
    EXPECT_TRUE(fade.step(levels, 6000).ended);
    EXPECT_EQ(levels, to);
}

TEST(Fade, AReleasedChannelKeepsItsTypedLevelAndATimeOfZeroSnaps) {
    Module1::LevelStore to{};
    to[1] = to[2] = 200;
    Module1::LevelStore levels{};
    show::Fade fade(levels, to, {0, 0}, 0);
    fade.release(2);
    levels[2] = 7;
    show::FadeStep step = fade.step(levels, 0);
    EXPECT_TRUE(step.changed && step.ended);
    EXPECT_EQ(levels[1], 200);
    EXPECT_EQ(levels[2], 7);
}

// A fade from the levels of some instant to its rest goes on along the same lines; a released
// channel ends where it is.
TEST(Fade, ItsRestGoesOnAlongTheSameLines) {
    Module1::LevelStore levels{}, to{};
    to[1] = 200;
    to[2] = 100;
    show::Fade fade(levels, to, {2000, 4000}, 0);
    fade.step(levels, 1000);
    fade.release(2);
    show::RestOfFade rest = fade.rest(levels, 1000);
    Module1::LevelStore resumed = levels;
    show::Fade(levels, rest.to, rest.times, 60'000).step(resumed, 60'500);
    fade.step(levels, 1500);
    EXPECT_EQ(resumed, levels);
}

}  // namespace
