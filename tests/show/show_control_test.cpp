// Show control with a real console and the fade clock on the event loop.
#include "show/show_control.h"

#include <gtest/gtest.h>

#include "command/console.h"
#include "dmx/output.h"
#include "dmx/output_status.h"
#include "platform/controls.h"
#include "server/live_streams.h"
#include "status/status_model.h"
#include "support/pty_pair.h"

namespace {

// A channel typed during a fade, or set as a surface's fader sets it, leaves it at its level while
// the others go on, and undo takes the typed line back.
TEST(ShowControl, ATypedChannelLeavesTheFadeAndUndoTakesItBack) {
    command::Console console;
    const Module1::LevelStore& levels = console.DMXdata;
    platform::StaticText caption("caption", ""), cue("cue", ""), master("master", "");
    dmx::OutputStates states;
    dmx::OutputList outputs;
    server::EventStreams streams(states);
    status::StatusModel status;
    show::ShowControl control(console, console.DMXdata, outputs, streams, status,
                              {caption, cue, master});
    const auto cueShown = [&status] {
        return status.states().at({status::Source::cue, "cue"}).text;
    };
    control.setOn(true);
    for (const char* line : {"rec 1 time 0", "1/3@100", "rec 2 time 1", "goto 1", "go"})
        control.runLine(line);
    EXPECT_EQ(console.results(), "go: cue 2, 1/1 s");
    EXPECT_EQ(cueShown(), "fading to cue 2");

    control.runLine("1@50");
    control.setChannel(3, 10);
    const int32_t typed = levels[1];
    ASSERT_TRUE(testsupport::waitUntil([&] { return !control.engine().fading(); }, 3000));
    EXPECT_EQ(levels[1], typed);
    EXPECT_GT(typed, 100);
    EXPECT_EQ(levels[2], 255);
    EXPECT_EQ(levels[3], 10);
    EXPECT_EQ(cueShown(), "cue 2");

    control.runLine("undo");
    EXPECT_EQ(console.query(), "undo");
    EXPECT_EQ(console.results(), "undo: 1@50 taken back");
    EXPECT_LT(levels[1], typed);
}

}  // namespace
