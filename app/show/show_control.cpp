#include "show/show_control.h"

#include <algorithm>
#include <vector>

#include "command/console.h"
#include "dmx/output.h"
#include "platform/controls.h"
#include "platform/events.h"
#include "server/live_messages.h"
#include "server/live_streams.h"
#include "show/line_words.h"
#include "show/output_levels.h"
#include "show/show_command.h"
#include "show/show_json.h"
#include "status/status_model.h"

namespace show {

ShowControl::ShowControl(command::Console& console, Module1::LevelStore& levels,
                         dmx::OutputList& outputs, server::EventStreams& streams,
                         status::StatusModel& status, ShowLabels labels)
    : console_(console),
      levels_(levels),
      outputs_(outputs),
      streams_(streams),
      status_(status),
      labels_(labels),
      clock_([this] { tick(); }) {}

ShowControl::~ShowControl() {
    outputs_.setScaling(nullptr);
}

void ShowControl::setOn(bool on) {
    if (on == on_) return;
    on_ = on;
    for (platform::StaticText* label : {&labels_.caption, &labels_.cue, &labels_.master})
        label->setVisible(on);
    if (on) showState();
    // A fade left halfway when show control went off catches up with its clock when it comes back.
    if (!on) clock_.stop();
    if (on && engine_.fading()) startClock(platform::steadyMs());
    applyScaling();
    // Only a master or a blackout changes what the outputs send.
    if (engine_.holdsDown()) console_.levelsSetElsewhere();
    watchers_.tell();
}

void ShowControl::runLine(std::string_view line, std::string source) {
    if (!on_) {
        console_.runLine(line, std::move(source), platform::yieldToBackgroundTasks);
        return;
    }
    const LineReading reading = readLine(line);
    switch (reading.kind) {
        case LineReading::Kind::show:
            runShowLine(line, std::move(source));
            break;
        case LineReading::Kind::channels:
            runConsoleLine(reading.text, line, std::move(source));
            break;
        case LineReading::Kind::refused:
            // Told as any line is, so every face shows why; nothing else changes.
            console_.showLineRunElsewhere(line, reading.text, std::move(source));
            break;
    }
}

std::string ShowControl::restore(const SavedShow& saved) {
    const Milliseconds now = platform::steadyMs();
    std::string problem = engine_.restore(saved, levels_, now);
    applyScaling();
    console_.levelsSetElsewhere();
    toldLevels_ = levels_;
    toldCues_ = engine_.cues();
    if (on_) showState();
    if (on_ && engine_.fading()) startClock(now);
    watchers_.tell();
    return problem;
}

SavedShow ShowControl::saved() const {
    return engine_.saved(levels_, platform::steadyMs());
}

nlohmann::ordered_json ShowControl::json() const {
    return showJson(engine_, platform::steadyMs());
}

void ShowControl::runShowLine(std::string_view line, std::string source) {
    const Milliseconds now = platform::steadyMs();
    std::string result = engine_.run(parseShowCommand(line), levels_, now);
    applyScaling();
    console_.showLineRunElsewhere(line, std::move(result), std::move(source));
    if (engine_.fading()) startClock(now);
    showState();
    // The line's own reply and command event carry its levels.
    toldLevels_ = levels_;
    tellLive(now);
    watchers_.tell();
}

void ShowControl::runConsoleLine(std::string_view line, std::string_view typedLine,
                                 std::string source) {
    const Module1::LevelStore before = levels_;
    console_.runLineTypedAs(line, typedLine, std::move(source), platform::yieldToBackgroundTasks);
    if (levels_ == before) return;
    engine_.recordUndo(std::string(typedLine), before);
    std::vector<int32_t> typed = console_.chanArray;
    for (int32_t channel = 1; channel <= Module1::lastChannel; ++channel) {
        if (levels_[channel] != before[channel]) typed.push_back(channel);
    }
    engine_.channelsTyped(typed);
    watchers_.tell();
}

void ShowControl::setChannel(int32_t channel, int32_t value, std::string source) {
    console_.setChannel(channel, value, std::move(source));
    if (!on_) return;
    // Out of a running fade as a typed channel is, and part of the look kept; a fader's every
    // step is not a line to undo.
    engine_.channelsTyped(std::span<const int32_t>(&channel, 1));
    watchers_.tell();
}

void ShowControl::tick() {
    if (!engine_.fading()) return;
    // A console line lets other events run between its characters: the fade waits for it, so the
    // line's levels are its own.
    if (console_.lineRunning()) {
        clock_.start(int(fadeTickMs));
        return;
    }
    const Milliseconds now = platform::steadyMs();
    FadeStep step = engine_.step(levels_, now);
    if (step.changed) {
        console_.levelsSetElsewhere();
        fadeStepWatchers_.tell();
    }
    if (step.ended) {
        showState();
        tellLive(now);
        watchers_.tell();
        return;
    }
    if (now - lastLiveMs_ >= liveTickMs) tellLive(now);
    nextTickMs_ = std::max(nextTickMs_ + fadeTickMs, now + 1);
    clock_.start(int(nextTickMs_ - now));
}

void ShowControl::startClock(Milliseconds nowMs) {
    nextTickMs_ = nowMs + fadeTickMs;
    lastLiveMs_ = nowMs;
    clock_.start(int(fadeTickMs));
}

void ShowControl::applyScaling() const {
    if (!on_ || !engine_.holdsDown()) {
        outputs_.setScaling(nullptr);
        return;
    }
    outputs_.setScaling([master = engine_.master(),
                         blackout = engine_.blackout()](const Module1::LevelStore& levels) {
        return outputLevels(levels, master, blackout);
    });
}

void ShowControl::showState() {
    const Milliseconds now = platform::steadyMs();
    status_.setState(status::Source::cue, "cue", cueText(engine_), now);
    status_.setState(status::Source::master, "master", masterText(engine_), now);
    labels_.master.setAlert(engine_.holdsDown());
}

void ShowControl::tellLive(Milliseconds nowMs) {
    lastLiveMs_ = nowMs;
    if (!Module1::liveLevels) return;
    std::vector<server::LevelChange> changes = server::changedLevels(toldLevels_, levels_);
    if (!changes.empty()) streams_.broadcast(server::levelsEvent(changes));
    toldLevels_ = levels_;
    // The list goes only when it changed, before the state that may name a new cue: a fade's
    // events stay small however long the show. Cues are shared and never change, so the same
    // pointers are the same list.
    if (!std::ranges::equal(engine_.cues(), toldCues_)) {
        toldCues_ = engine_.cues();
        streams_.broadcast(server::cuesEvent(cuesJson(toldCues_)));
    }
    streams_.broadcast(server::showEvent(showStateJson(engine_, nowMs)));
}

}  // namespace show
