#include <gtest/gtest.h>

#include <memory>

#include "platform/window.h"

namespace {

class AdoptedWindow : public platform::Window {
  public:
    AdoptedWindow() : platform::Window("adopted", 100, 100) {}
};

}  // namespace

template <>
inline constexpr bool platform::adoptedOnly<AdoptedWindow> = true;

namespace {

using platform::Implicit;

TEST(ImplicitWindow, AWindowThatMustBeAdoptedIsNeverBuiltOnDemand) {
    EXPECT_DEATH(Implicit<AdoptedWindow>::instance(), "used before the program adopted one");
    EXPECT_EQ(Implicit<AdoptedWindow>::find(), nullptr);
    AdoptedWindow& adopted = Implicit<AdoptedWindow>::adopt(std::make_unique<AdoptedWindow>());
    EXPECT_EQ(&Implicit<AdoptedWindow>::instance(), &adopted);
    Implicit<AdoptedWindow>::reset();
}

}  // namespace
