#include "status/status_model.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using status::Source;

// A state is replaced by the next of its key and, set to what it says already, told as not new;
// every event is kept and told, the same one twice in a row too, the oldest forgotten past the
// limit.
TEST(StatusModel, StatesAreReplacedAndEveryEventIsKept) {
    status::StatusModel model;
    std::vector<std::pair<std::string, bool>> told;
    model.watch(
        [&](const status::Entry& entry, bool isNew) { told.emplace_back(entry.text, isNew); });
    model.setState(Source::statusLine, "client", "Connected to: 10.0.0.1", 1);
    model.setState(Source::statusLine, "client", "Connected to: 10.0.0.1", 2);
    model.setState(Source::statusLine, "client", "Connected to: 10.0.0.2", 3);
    model.addEvent(Source::statusLine, "lost", 4);
    model.addEvent(Source::statusLine, "lost", 5);
    EXPECT_EQ(told, (std::vector<std::pair<std::string, bool>>{{"Connected to: 10.0.0.1", true},
                                                               {"Connected to: 10.0.0.1", false},
                                                               {"Connected to: 10.0.0.2", true},
                                                               {"lost", true},
                                                               {"lost", true}}));
    ASSERT_EQ(model.states().size(), 1u);
    const status::Entry& client = model.states().at({Source::statusLine, "client"});
    EXPECT_EQ(client.text, "Connected to: 10.0.0.2");
    EXPECT_EQ(client.timeMs, 3);
    ASSERT_EQ(model.events().size(), 2u);
    EXPECT_EQ(model.events().back().timeMs, 5);

    for (int64_t time = 6; time < 6 + int64_t(status::StatusModel::eventLimit); ++time)
        model.addEvent(Source::statusLine, "again", time);
    EXPECT_EQ(model.events().size(), status::StatusModel::eventLimit);
    EXPECT_EQ(model.events().front().timeMs, 6);
}

}  // namespace
