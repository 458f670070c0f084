#include "show/show_control.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "command/console.h"
#include "dmx/output.h"
#include "platform/controls.h"
#include "show/line_words.h"
#include "show/output_levels.h"
#include "show/show_command.h"
#include "show/show_json.h"
#include "status/status_model.h"

namespace show {

namespace {

std::vector<int32_t> changedChannels(const Module1::LevelStore& before,
                                     const Module1::LevelStore& after) {
    std::vector<int32_t> changed;
    for (int32_t channel = 1; channel <= Module1::lastChannel; ++channel) {
        if (after[channel] != before[channel]) changed.push_back(channel);
    }
    return changed;
}

}  // namespace

ShowControl::ShowControl(command::Console& console, dmx::OutputList& outputs,
                         status::StatusModel& status, ShowLabels labels,
                         std::unique_ptr<ShowClock> clock)
    : console_(console),
      outputs_(outputs),
      status_(status),
      labels_(labels),
      clock_(std::move(clock)),
      actions_(
          [this](const ConsoleAction& action, const std::string& source) {
              return run(action, source);
          },
          [this](std::function<void()> fn) { clock_->post(std::move(fn)); }) {
    // A step waits for the action running when the clock fires, so a line's levels are its own.
    clock_->fired = [this] { submit(FadeTick{}); };
}

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
    if (!on) clock_->stop();
    if (on && engine_.fading()) startClock(clock_->now());
    applyScaling();
    // Only a master or a blackout changes what the outputs send: the same levels, scaled anew.
    if (engine_.holdsDown()) console_.setLevels(console_.levels());
    watchers_.tell();
}

std::string ShowControl::run(const ConsoleAction& action, const std::string& source) {
    levelsBefore_ = console_.levels();
    if (auto* line = std::get_if<TypedLine>(&action)) {
        runTypedLine(line->text, source);
    } else if (auto* show = std::get_if<ShowLine>(&action)) {
        // Off, the text runs as the console takes it, as it would typed.
        if (on_) {
            runShowLine(show->command, show->text, source);
        } else {
            runTypedLine(show->text, source);
        }
    } else if (auto* set = std::get_if<ChannelSet>(&action)) {
        setChannel(*set, source);
    } else {
        stepFade();
        return {};
    }
    return console_.results();
}

void ShowControl::runTypedLine(std::string_view line, const std::string& source) {
    if (!on_) {
        console_.runLine(line, source, [this] { clock_->letEventsRun(); });
        return;
    }
    const LineReading reading = readLine(line);
    switch (reading.kind) {
        case LineReading::Kind::show:
            runShowLine(parseShowCommand(line), line, source);
            break;
        case LineReading::Kind::fixtures:
            runFixtureLine(line, source);
            break;
        case LineReading::Kind::channels:
            runConsoleLine(reading.text, line, source);
            break;
        case LineReading::Kind::refused:
            // Told as any line is, so every face shows why; nothing else changes.
            console_.showLineRunElsewhere(line, reading.text, source, console_.levels());
            break;
    }
}

std::string ShowControl::restore(const SavedShow& saved) {
    const Milliseconds now = clock_->now();
    Module1::LevelStore levels = console_.levels();
    std::string problem = engine_.restore(saved, levels, now);
    applyScaling();
    console_.setLevels(levels);
    if (live_) live_->caughtUp();
    if (on_) showState();
    if (on_ && engine_.fading()) startClock(now);
    watchers_.tell();
    return problem;
}

SavedShow ShowControl::saved() const {
    return engine_.saved(console_.levels(), clock_->now());
}

void ShowControl::setUnsaved(std::string why) {
    if (why == unsaved_) return;
    unsaved_ = std::move(why);
    // Phones learn it with the show; the status line has said it already.
    if (on_) tellLive(clock_->now());
}

nlohmann::ordered_json ShowControl::stateJson(Milliseconds nowMs) const {
    nlohmann::ordered_json show = showStateJson(engine_, nowMs);
    show["saved"] = unsaved_.empty();
    if (!unsaved_.empty()) show["unsaved"] = unsaved_;
    return show;
}

nlohmann::ordered_json ShowControl::json(Milliseconds nowMs) const {
    nlohmann::ordered_json show = stateJson(nowMs);
    show["cues"] = cuesJson(engine_.cues());
    return show;
}

std::string ShowControl::unsavedNote() const {
    return unsaved_.empty() ? std::string() : "; NOT SAVED: " + unsaved_;
}

void ShowControl::runShowLine(const ShowCommand& command, std::string_view line,
                              const std::string& source) {
    const Milliseconds now = clock_->now();
    Module1::LevelStore levels = console_.levels();
    std::string result = engine_.run(command, levels, now) + unsavedNote();
    applyScaling();
    console_.showLineRunElsewhere(line, std::move(result), source, levels);
    if (engine_.fading()) startClock(now);
    showState();
    // The line's own reply and command event carry its levels.
    tellLive(now, true);
    watchers_.tell();
}

void ShowControl::runFixtureLine(std::string_view line, const std::string& source) {
    const Milliseconds now = clock_->now();
    const Module1::LevelStore before = console_.levels();
    Module1::LevelStore levels = before;
    fixtures::LineOutcome outcome = engine_.runFixtureLine(line, levels, typeLookup_);
    console_.showLineRunElsewhere(line, outcome.text + unsavedNote(), source, levels);
    if (!outcome.applied) return;
    engine_.channelsTyped(changedChannels(before, levels));
    // The line's own reply and command event carry its levels.
    tellLive(now, true);
    watchers_.tell();
}

void ShowControl::runConsoleLine(std::string_view line, std::string_view typedLine,
                                 const std::string& source) {
    const Module1::LevelStore before = console_.levels();
    console_.runLineTypedAs(line, typedLine, source, [this] { clock_->letEventsRun(); });
    const Module1::LevelStore& after = console_.levels();
    if (after == before) return;
    engine_.recordUndo(std::string(typedLine), before);
    std::vector<int32_t> typed = console_.chanArray;
    std::ranges::copy(changedChannels(before, after), std::back_inserter(typed));
    engine_.channelsTyped(typed);
    if (!unsaved_.empty()) console_.appendResults(unsavedNote());
    watchers_.tell();
}

void ShowControl::setChannel(const ChannelSet& set, const std::string& source) {
    console_.setChannel(set.channel, set.value, source);
    if (!on_) return;
    // Out of a running fade as a typed channel is, and part of the look kept; a fader's every
    // step is not a line to undo.
    engine_.channelsTyped(std::span<const int32_t>(&set.channel, 1));
    watchers_.tell();
}

void ShowControl::stepFade() {
    if (!engine_.fading()) return;
    const Milliseconds now = clock_->now();
    Module1::LevelStore levels = console_.levels();
    FadeStep step = engine_.step(levels, now);
    if (step.changed) {
        console_.setLevels(levels);
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
    clock_->start(nextTickMs_ - now);
}

void ShowControl::startClock(Milliseconds nowMs) {
    nextTickMs_ = nowMs + fadeTickMs;
    lastLiveMs_ = nowMs;
    clock_->start(fadeTickMs);
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
    const Milliseconds now = clock_->now();
    status_.setState(status::Source::cue, "cue", cueText(engine_), now);
    status_.setState(status::Source::master, "master", masterText(engine_), now);
    labels_.master.setAlert(engine_.holdsDown());
}

void ShowControl::tellLive(Milliseconds nowMs, bool levelsTold) {
    lastLiveMs_ = nowMs;
    if (live_) live_->showChanged(nowMs, levelsTold);
}

}  // namespace show
