#include "platform/controls.h"

#include <gtest/gtest.h>

#include "platform/events.h"
#include "platform/window.h"

using namespace platform;

TEST(Controls, PopupSelectionRunsTheChangeHandlerAndClampsTheIndex) {
    PopupMenu menu("PopupMenu1");
    std::vector<int32_t> seen;
    menu.change = [&] { seen.push_back(menu.listIndex()); };
    menu.addRow("/dev/ttyUSB0");
    menu.addRow("/dev/ttyUSB1");
    menu.setListIndex(1);
    EXPECT_EQ(menu.text(), "/dev/ttyUSB1");
    menu.setListIndex(5);
    EXPECT_EQ(menu.text(), "");
    EXPECT_EQ(seen, (std::vector<int32_t>{1, -1}));
}

TEST(Controls, ObserverHearsEveryChange) {
    StaticText label("lblResults", "Results");
    int changes = 0;
    label.setObserver([&] { ++changes; });
    label.setCaption("x");
    label.appendCaption("y");
    label.setVisible(false);
    EXPECT_EQ(label.caption(), "xy");
    EXPECT_EQ(changes, 3);
}

TEST(Controls, CheckBoxClickFlipsBeforeTheAction) {
    CheckBox box("chkLogin", "Require Login");
    bool seen = false;
    box.action = [&] { seen = box.value(); };
    box.click();
    EXPECT_TRUE(seen);
}

TEST(Controls, HandlerGateRunsALateCallAfterTheRunningOne) {
    HandlerGate gate;
    std::vector<int> order;
    int calls = 0;
    std::function<void()> handler = [&] {
        int mine = ++calls;
        order.push_back(mine);
        if (mine == 1) gate.run(handler);  // arrives while the first call still runs
        order.push_back(-mine);
    };
    gate.run(handler);
    EXPECT_EQ(order, (std::vector<int>{1, -1, 2, -2}));
}

namespace {
struct Counted : Window {
    Counted() : Window("t", 10, 10) { ++made; }
    void Open() override { ++opened; }
    bool CancelClose() override { return refuse; }
    static inline int made = 0, opened = 0;
    static inline bool refuse = false;
};
}  // namespace

TEST(Controls, ImplicitWindowIsMadeOnceAndAgainAfterClose) {
    Implicit<Counted>::instance();
    Implicit<Counted>::instance().setTitle("x");
    EXPECT_EQ(Counted::made, 1);
    EXPECT_EQ(Counted::opened, 1);
    EXPECT_TRUE(Implicit<Counted>::instance().visible());
    Counted::refuse = true;
    Implicit<Counted>::close();
    EXPECT_TRUE(Implicit<Counted>::exists());
    Counted::refuse = false;
    Implicit<Counted>::close();
    EXPECT_FALSE(Implicit<Counted>::exists());
    EXPECT_EQ(Implicit<Counted>::instance().title(), "t");
    EXPECT_EQ(Counted::made, 2);
    Implicit<Counted>::reset();
}
