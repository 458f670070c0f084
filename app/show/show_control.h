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

namespace show {

// The fade clock's period: DMX's own frame rate, 44 frames a second.
inline constexpr Milliseconds fadeTickMs = 23;
// The live read-back follows a running fade at most 10 times a second.
inline constexpr Milliseconds liveTickMs = 100;

// Where the main window shows the show: the cue (and a running fade), and the master and
// blackout, in red while they hold the stage down.
struct ShowLabels {
    platform::StaticText& caption;
    platform::StaticText& cue;
    platform::StaticText& master;
};

class ShowControl {
  public:
    ShowControl(command::Console& console, Module1::LevelStore& levels, dmx::OutputList& outputs,
                server::EventStreams& streams, ShowLabels labels);
    ~ShowControl();
    ShowControl(const ShowControl&) = delete;
    ShowControl& operator=(const ShowControl&) = delete;

    bool on() const { return on_; }
    void setOn(bool on);

    // Runs a command line sent from source. On, a show line goes to the engine and its result is
    // the console's outcome; any other line goes to the console, and the undo journal and the
    // running fade learn what it set.
    void runLine(std::string_view line, std::string source = {});
    // Sets one channel as a fader does (command::Console::setChannel): taken out of a running
    // fade as a typed line's channels are.
    void setChannel(int32_t channel, int32_t value, std::string source = {});

    // Told after every change of the show: its cues, the current cue, the master, the blackout,
    // or the look, after a line, at a fade's end or by a restore; and when show control comes on
    // or goes off. A watcher is told until unwatch is given the number watch returned.
    size_t watch(std::function<void()> watcher) { return watchers_.watch(std::move(watcher)); }
    void unwatch(size_t watcher) { watchers_.unwatch(watcher); }

    // Back to a saved show (at start, before the first frame): its cues, master, blackout and
    // look, sent to the outputs at once.
    void restore(const SavedShow& saved);
    // The show to keep, with the levels on stage.
    SavedShow saved() const { return engine_.saved(levels_); }

    // Why the show is not kept in the show file, empty once it is again: while it is not, a line's
    // result and the live read-back say so.
    void setUnsaved(std::string why);

    const ShowEngine& engine() const { return engine_; }
    // The "show" object of the live read-back, with "saved" and, when false, "unsaved" (why).
    nlohmann::ordered_json json() const { return json(platform::steadyMs()); }

  private:
    nlohmann::ordered_json json(Milliseconds nowMs) const;
    // "; NOT SAVED: <why>" while the show is not kept, to go after a line's result.
    std::string unsavedNote() const;
    void runShowLine(std::string_view line, std::string source);
    void runConsoleLine(std::string_view line, std::string source);
    void tick();
    void startClock(Milliseconds nowMs);
    void applyScaling() const;
    void showState();
    // The levels moved by the fade since the last time, and the show, to the live read-back.
    void tellLive(Milliseconds nowMs);

    command::Console& console_;
    Module1::LevelStore& levels_;
    dmx::OutputList& outputs_;
    server::EventStreams& streams_;
    ShowLabels labels_;
    ShowEngine engine_;
    bool on_ = false;
    platform::Timer clock_;
    Milliseconds nextTickMs_ = 0;
    Milliseconds lastLiveMs_ = 0;
    // The levels the live read-back was last told of.
    Module1::LevelStore toldLevels_{};
    std::string unsaved_;
    platform::Watchers<> watchers_;
};

}  // namespace show
