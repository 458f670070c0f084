// Show control with a real console, on a clock the test moves.
#include "show/show_control.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>

#include "command/console.h"
#include "dmx/output.h"
#include "dmx/output_status.h"
#include "osc/respond.h"
#include "platform/controls.h"
#include "status/status_model.h"

namespace {

using show::Milliseconds;

// Time stands still until the test moves it; the fade clock fires on the way as it comes due.
class MovedClock : public show::ShowClock {
  public:
    Milliseconds now() const override { return now_; }
    void start(Milliseconds delay) override { due_ = now_ + delay; }
    void stop() override { due_.reset(); }
    void letEventsRun() override {
        if (betweenCharacters) betweenCharacters();
    }
    // Nothing here is put off: the tests submit actions that run at once.
    void post(std::function<void()>) override { ADD_FAILURE() << "nothing posts here"; }

    void advance(Milliseconds by) {
        const Milliseconds until = now_ + by;
        while (due_ && *due_ <= until) {
            now_ = *std::exchange(due_, std::nullopt);
            fired();
        }
        now_ = until;
    }

    // What other events do while a command line lets them run.
    std::function<void()> betweenCharacters;

  private:
    Milliseconds now_ = 0;
    std::optional<Milliseconds> due_;
};

class ShowControlTest : public ::testing::Test {
  protected:
    void SetUp() override { control.setOn(true); }

    std::string cueShown() const {
        return status.states().at({status::Source::cue, "cue"}).text;
    }

    void run(std::initializer_list<const char*> lines) {
        for (const char* line : lines) control.runLine(line);
    }

    command::Console console;
    const Module1::LevelStore& levels = console.DMXdata;
    platform::StaticText caption{"caption", ""}, cue{"cue", ""}, master{"master", ""};
    dmx::OutputStates states;
    dmx::OutputList outputs;
    std::unique_ptr<MovedClock> ownClock = std::make_unique<MovedClock>();
    MovedClock& clock = *ownClock;
    status::StatusModel status;
    show::ShowControl control{console, outputs, status, {caption, cue, master},
                              std::move(ownClock)};
};

// A channel typed during a fade, or set as a surface's fader sets it, leaves it at its level while
// the others go on, and undo takes the typed line back.
TEST_F(ShowControlTest, ATypedChannelLeavesTheFadeAndUndoTakesItBack) {
    run({"rec 1 time 0", "1/3@100", "rec 2 time 1", "goto 1", "go"});
    EXPECT_EQ(console.results(), "go: cue 2, 1/1 s");
    EXPECT_EQ(cueShown(), "fading to cue 2");

    clock.advance(400);
    control.runLine("1@50");
    control.submit(show::ChannelSet{3, 10});
    const int32_t typed = levels[1];
    clock.advance(600 + show::fadeTickMs);
    EXPECT_FALSE(control.engine().fading());
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

// A typed line lets other events run between its characters: an OSC GO and a Cue List GO that
// come meanwhile wait for it and run after it, in the order they came, once each, and the OSC
// sender hears its own GO's result.
TEST_F(ShowControlTest, ActionsSentDuringALineRunAfterItInOrder) {
    run({"1@100", "rec 1 time 0", "2@100", "rec 2 time 0", "3@100", "rec 3 time 0", "goto 1"});
    clock.advance(show::fadeTickMs);
    std::vector<std::string> ran, results;
    console.watch([&](command::Console::Change change) {
        if (change != command::Console::Change::line) return;
        ran.push_back(console.lineSource() + ": " + console.query());
        results.push_back(console.results());
    });
    osc::SenderGate gate({}, false);
    std::vector<platform::OscReply> oscReplies;
    bool sent = false;
    clock.betweenCharacters = [&] {
        if (std::exchange(sent, true)) return;
        osc::respond(
            {"/brannic/go", {}}, {"127.0.0.1", 9000}, 0, gate, true,
            [&](show::ConsoleAction action, std::string source, show::ActionQueue::Done done) {
                control.submit(std::move(action), std::move(source), std::move(done));
            },
            [&](const platform::OscReply& reply) { oscReplies.push_back(reply); });
        control.submit(show::goLine(), "Cue List");
        EXPECT_TRUE(ran.empty());
        EXPECT_TRUE(oscReplies.empty());
    };
    control.runLine("4@50", "192.168.1.20");

    EXPECT_EQ(ran, (std::vector<std::string>{"192.168.1.20: 4@50", "OSC 127.0.0.1: go",
                                             "Cue List: go"}));
    ASSERT_EQ(oscReplies.size(), 1u);
    EXPECT_EQ(oscReplies[0].address, osc::resultAddress);
    EXPECT_EQ(oscReplies[0].text, results.at(1));
    EXPECT_NE(results.at(1), results.at(2));
    EXPECT_EQ(control.engine().currentCue(), 30);
}

}  // namespace
