#pragma once
// Show control at the edge: the one way into the console (every action waits its turn in one
// queue), command lines to the show engine or the console, the fade clock stepping the levels, the
// master and blackout scaling the outputs, and the main window, the headless status line and the
// live read-back following the show. Off, every line goes to the console as if there were no show.

#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "fixtures/fixture_lines.h"
#include "platform/watchers.h"
#include "shell/module1.h"
#include "show/action_queue.h"
#include "show/live_listener.h"
#include "show/show_clock.h"
#include "show/show_engine.h"

namespace command {
class Console;
}
namespace dmx {
class OutputList;
}
namespace platform {
class StaticText;
}
namespace status {
class StatusModel;
}

namespace show {

// The fade clock's period: DMX's own frame rate, 44 frames a second.
inline constexpr Milliseconds fadeTickMs = 23;
// The live read-back follows a running fade at most 10 times a second.
inline constexpr Milliseconds liveTickMs = 100;

// Where the main window shows the show: the cue (and a running fade), and the master and
// blackout, in red while they hold the stage down. Their texts are the status model's.
struct ShowLabels {
    platform::StaticText& caption;
    platform::StaticText& cue;
    platform::StaticText& master;
};

class ShowControl {
  public:
    ShowControl(command::Console& console, dmx::OutputList& outputs, status::StatusModel& status,
                ShowLabels labels, std::unique_ptr<ShowClock> clock);
    ~ShowControl();
    ShowControl(const ShowControl&) = delete;
    ShowControl& operator=(const ShowControl&) = delete;

    bool on() const { return on_; }
    void setOn(bool on);

    // Runs the action sent from source when its turn comes (action_queue.h); done is told its
    // result. A typed line, with show control on: a show line or a fixture line goes to the engine
    // and its result is the console's outcome, the channels a fixture line set leaving a running
    // fade; a line with a word it does not know is refused and changes nothing;
    // any other line goes to the console, and the undo journal and the running fade learn what it
    // set. A show line sent as a value runs as its text would. A channel set is the console's
    // (command::Console::setChannel), taken out of a running fade as a typed line's channels are.
    void submit(ConsoleAction action, std::string source = {}, ActionQueue::Done done = {}) {
        actions_.submit(std::move(action), std::move(source), std::move(done));
    }
    // As submit, returning at once: the action runs after the current event at the soonest.
    void submitAndReturn(ConsoleAction action, std::string source, ActionQueue::Done done) {
        actions_.submitAndReturn(std::move(action), std::move(source), std::move(done));
    }
    // Where a patch line's type words find a definition; without it, only the built-in dimmer.
    void setTypeLookup(fixtures::TypeLookup lookup) { typeLookup_ = std::move(lookup); }
    // A typed line, submitted.
    void runLine(std::string_view line, std::string source = {}) {
        submit(TypedLine{std::string(line)}, std::move(source));
    }
    // The levels as they were when the last action to run began: what its reply tells as changed.
    const Module1::LevelStore& levelsBeforeAction() const { return levelsBefore_; }

    // Told after every change of the show: its cues, the current cue, the master, the blackout,
    // or the look, after a line, at a fade's end or by a restore; and when show control comes on
    // or goes off. A watcher is told until unwatch is given the number watch returned.
    size_t watch(std::function<void()> watcher) { return watchers_.watch(std::move(watcher)); }
    void unwatch(size_t watcher) { watchers_.unwatch(watcher); }
    // Told after each fade step that moved the levels, as long as show control lives: the look
    // kept follows the fade. The watchers above are not; nothing else they show moves.
    void watchFadeSteps(std::function<void()> watcher) {
        fadeStepWatchers_.watch(std::move(watcher));
    }

    // Back to a saved show (at start, before the first frame): its cues, master, blackout and
    // look, sent to the outputs at once, and its fade going on from there. The result says what
    // of it could not be taken as it was, or is empty.
    std::string restore(const SavedShow& saved);
    // The show to keep, with the levels on stage and what is left of a running fade.
    SavedShow saved() const;

    // Why the show is not kept in the show file, empty once it is again: while it is not, a line's
    // result and the live read-back say so.
    void setUnsaved(std::string why);

    const ShowEngine& engine() const { return engine_; }
    // The "show" object of the live read-back, with "saved" and, when false, "unsaved" (why).
    nlohmann::ordered_json json() const { return json(clock_->now()); }
    // The same without the cue list, as the show event carries it.
    nlohmann::ordered_json stateJson(Milliseconds nowMs) const;
    // The live read-back, told of every change of the show it shows; none until it is set.
    void setLiveListener(LiveListener* listener) { live_ = listener; }

  private:
    std::string run(const ConsoleAction& action, const std::string& source);
    void runTypedLine(std::string_view line, const std::string& source);
    void runShowLine(const ShowCommand& command, std::string_view line, const std::string& source);
    void runFixtureLine(std::string_view line, const std::string& source);
    // With show control on: line as read from typedLine.
    void runConsoleLine(std::string_view line, std::string_view typedLine, const std::string& source);
    void setChannel(const ChannelSet& set, const std::string& source);
    void stepFade();
    nlohmann::ordered_json json(Milliseconds nowMs) const;
    // "; NOT SAVED: <why>" while the show is not kept, to go after a line's result.
    std::string unsavedNote() const;
    void startClock(Milliseconds nowMs);
    void applyScaling() const;
    void showState();
    // The live read-back follows the show (levelsTold: a line's own event carries its levels).
    void tellLive(Milliseconds nowMs, bool levelsTold = false);

    command::Console& console_;
    dmx::OutputList& outputs_;
    status::StatusModel& status_;
    ShowLabels labels_;
    ShowEngine engine_;
    bool on_ = false;
    std::unique_ptr<ShowClock> clock_;
    ActionQueue actions_;
    Module1::LevelStore levelsBefore_{};
    Milliseconds nextTickMs_ = 0;
    Milliseconds lastLiveMs_ = 0;
    LiveListener* live_ = nullptr;
    fixtures::TypeLookup typeLookup_ = [](std::string_view) { return fixtures::MatchResult{}; };
    std::string unsaved_;
    platform::Watchers<> watchers_;
    platform::Watchers<> fadeStepWatchers_;
};

}  // namespace show
