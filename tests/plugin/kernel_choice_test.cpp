// The switch that runs the portable codec code on a machine with SIMD kernels: only the value "1"
// turns the kernels off, and nothing turns them on where the CPU lacks them.

#include "plugin/kernel_choice.h"

#include <gtest/gtest.h>

namespace {

TEST(KernelChoice, ForcingPortableTakesOnlyTheValueOne) {
    EXPECT_TRUE(quilvane::ssse3KernelsChosen(true, nullptr));
    EXPECT_FALSE(quilvane::ssse3KernelsChosen(true, "1"));
    EXPECT_TRUE(quilvane::ssse3KernelsChosen(true, "0"));
    EXPECT_TRUE(quilvane::ssse3KernelsChosen(true, ""));
    EXPECT_FALSE(quilvane::ssse3KernelsChosen(false, nullptr));
}

}  // namespace
