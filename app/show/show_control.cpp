#include "show/show_control.h"

#include <algorithm>
#include <vector>

#include "command/console.h"
#include "dmx/output.h"
#include "platform/controls.h"
#include "platform/events.h"
#include "server/live_messages.h"
#include "server/live_streams.h"
#include "show/output_levels.h"
#include "show/show_command.h"
#include "show/show_json.h"

namespace show {

ShowControl::ShowControl(command::Console& console, Module1::LevelStore& levels,
                         dmx::OutputList& outputs, server::EventStreams& streams, ShowLabels labels)
    : console_(console),
      levels_(levels),
      outputs_(outputs),
      streams_(streams),
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
    if (on_ && isShowLine(line)) {
        runShowLine(line, std::move(source));
    } else {
        runConsoleLine(line, std::move(source));
    }
}

void ShowControl::restore(const SavedShow& saved) {
    engine_.restore(saved, levels_);
    applyScaling();
    console_.levelsSetElsewhere();
    toldLevels_ = levels_;
    if (on_) showState();
    watchers_.tell();
}

void ShowControl::setUnsaved(std::string why) {
    if (why == unsaved_) return;
    unsaved_ = std::move(why);
    // Phones learn it with the show; the status line has said it already.
    if (on_) tellLive(platform::steadyMs());
}

nlohmann::ordered_json ShowControl::json(Milliseconds nowMs) const {
    nlohmann::ordered_json show = showJson(engine_, nowMs);
    show["saved"] = unsaved_.empty();
    if (!unsaved_.empty()) show["unsaved"] = unsaved_;
    return show;
}

std::string ShowControl::unsavedNote() const {
    return unsaved_.empty() ? std::string() : "; NOT SAVED: " + unsaved_;
}

void ShowControl::runShowLine(std::string_view line, std::string source) {
    const Milliseconds now = platform::steadyMs();
    std::string result = engine_.run(parseShowCommand(line), levels_, now) + unsavedNote();
    applyScaling();
    console_.showLineRunElsewhere(line, std::move(result), std::move(source));
    if (engine_.fading()) startClock(now);
    showState();
    // The line's own reply and command event carry its levels.
    toldLevels_ = levels_;
    tellLive(now);
    watchers_.tell();
}

void ShowControl::runConsoleLine(std::string_view line, std::string source) {
    if (!on_) {
        console_.runLine(line, std::move(source), platform::yieldToBackgroundTasks);
        return;
    }
    const Module1::LevelStore before = levels_;
    console_.runLine(line, std::move(source), platform::yieldToBackgroundTasks);
    if (levels_ == before) return;
    engine_.recordUndo(std::string(line), before);
    std::vector<int32_t> typed = console_.chanArray;
    for (int32_t channel = 1; channel <= Module1::lastChannel; ++channel) {
        if (levels_[channel] != before[channel]) typed.push_back(channel);
    }
    engine_.channelsTyped(typed);
    if (!unsaved_.empty()) console_.appendResults(unsavedNote());
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
    if (step.changed) console_.levelsSetElsewhere();
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
    labels_.cue.setCaption(cueText(engine_));
    labels_.master.setCaption(masterText(engine_));
    labels_.master.setAlert(engine_.holdsDown());
}

void ShowControl::tellLive(Milliseconds nowMs) {
    lastLiveMs_ = nowMs;
    if (!Module1::liveLevels) return;
    std::vector<server::LevelChange> changes = server::changedLevels(toldLevels_, levels_);
    if (!changes.empty()) streams_.broadcast(server::levelsEvent(changes));
    toldLevels_ = levels_;
    streams_.broadcast(server::showEvent(json(nowMs)));
}

}  // namespace show
