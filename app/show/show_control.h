#pragma once
// Show control at the edge: command lines go to the show engine or the console, the fade clock
// steps the levels, the master and blackout scale the outputs, and the main window, the headless
// status line and the live read-back follow the show. Off, every line goes to the console as if
// there were no show.

#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "platform/timer.h"
#include "platform/watchers.h"
#include "shell/module1.h"
#include "show/show_engine.h"

namespace command {
class Console;
}
namespace dmx {
class OutputList;
}
namespace server {
class EventStreams;
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
    ShowControl(command::Console& console, Module1::LevelStore& levels, dmx::OutputList& outputs,
                server::EventStreams& streams, status::StatusModel& status, ShowLabels labels);
    ~ShowControl();
    ShowControl(const ShowControl&) = delete;
    ShowControl& operator=(const ShowControl&) = delete;

    bool on() const { return on_; }
    void setOn(bool on);

    // Runs a command line sent from source. On, a show line goes to the engine and its result is
    // the console's outcome; a line with a word it does not know is refused and changes nothing;
    // any other line goes to the console, and the undo journal and the running fade learn what it
    // set.
    void runLine(std::string_view line, std::string source = {});
    // Sets one channel as a fader does (command::Console::setChannel): taken out of a running
    // fade as a typed line's channels are.
    void setChannel(int32_t channel, int32_t value, std::string source = {});

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

    const ShowEngine& engine() const { return engine_; }
    // The "show" object of the live read-back.
    nlohmann::ordered_json json() const;

  private:
    void runShowLine(std::string_view line, std::string source);
    // With show control on: line as read from typedLine.
    void runConsoleLine(std::string_view line, std::string_view typedLine, std::string source);
    void tick();
    void startClock(Milliseconds nowMs);
    void applyScaling() const;
    void showState();
    // The levels moved by the fade since the last time, the cues when they changed, and the
    // show's state, to the live read-back.
    void tellLive(Milliseconds nowMs);

    command::Console& console_;
    Module1::LevelStore& levels_;
    dmx::OutputList& outputs_;
    server::EventStreams& streams_;
    status::StatusModel& status_;
    ShowLabels labels_;
    ShowEngine engine_;
    bool on_ = false;
    platform::Timer clock_;
    Milliseconds nextTickMs_ = 0;
    Milliseconds lastLiveMs_ = 0;
    // The levels and the cues the live read-back was last told of.
    Module1::LevelStore toldLevels_{};
    CueList toldCues_;
    platform::Watchers<> watchers_;
    platform::Watchers<> fadeStepWatchers_;
};

}  // namespace show
