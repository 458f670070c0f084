#include "show/show_engine.h"

namespace show {

namespace {

constexpr FadeTimes backTimes{1000, 1000};

// The times and label a rec or cue line gives, over those the cue had.
template <typename Command>
void takeTimesAndLabel(Cue& cue, const Command& command) {
    if (command.times) cue.times = *command.times;
    if (command.label) cue.label = *command.label;
}

std::string cueNumberName(CueNumber number) {
    return "cue " + cueNumberText(number);
}

std::string cueNumberName(std::optional<CueNumber> number) {
    return number ? cueNumberName(*number) : "no cue";
}

}  // namespace

std::string ShowEngine::run(const ShowCommand& command, Module1::LevelStore& levels,
                            Milliseconds nowMs) {
    return std::visit([&](const auto& c) { return apply(c, levels, nowMs); }, command);
}

FadeStep ShowEngine::step(Module1::LevelStore& levels, Milliseconds nowMs) {
    if (!fade_) return {false, true};
    FadeStep result = fade_->step(levels, nowMs);
    if (result.ended) fade_.reset();
    return result;
}

fixtures::LineOutcome ShowEngine::runFixtureLine(std::string_view line,
                                                 Module1::LevelStore& levels,
                                                 const fixtures::TypeLookup& lookup) {
    fixtures::Patch patch = *patch_;
    const Module1::LevelStore before = levels;
    fixtures::LineOutcome outcome = fixtures::runFixtureLine(line, patch, levels, lookup);
    if (!outcome.applied) return outcome;
    recordUndo(std::string(line), before);
    patch_ = std::make_shared<const fixtures::Patch>(std::move(patch));
    return outcome;
}

void ShowEngine::channelsTyped(std::span<const int32_t> channels) {
    if (!fade_) return;
    for (int32_t channel : channels) fade_->release(channel);
}

void ShowEngine::recordUndo(std::string description, const Module1::LevelStore& before) {
    journal_.push({std::move(description), before, place_, cues_, patch_});
}

std::optional<CueNumber> ShowEngine::currentCue() const {
    return place_ && cues_.find(*place_) ? place_ : std::nullopt;
}

double ShowEngine::progress(Milliseconds nowMs) const {
    if (fade_) return fade_->progress(nowMs);
    return currentCue() ? 1.0 : 0.0;
}

SavedShow ShowEngine::saved(const Module1::LevelStore& levels, Milliseconds nowMs) const {
    std::optional<RestOfFade> rest;
    if (fade_) rest = fade_->rest(levels, nowMs);
    return {cues_, place_, master_, blackout_, levels, rest, *patch_};
}

std::string ShowEngine::restore(const SavedShow& show, Module1::LevelStore& levels,
                                Milliseconds nowMs) {
    cues_ = show.cues;
    place_ = show.current;
    master_ = show.master;
    blackout_ = show.blackout;
    levels = show.levels;
    patch_ = std::make_shared<const fixtures::Patch>(show.patch);
    fade_.reset();
    // From the kept look along the same lines: the first frame is the look, nothing jumps.
    if (show.fade) fade_.emplace(levels, show.fade->to, show.fade->times, nowMs);
    journal_.clear();
    if (place_ && !currentCue()) {
        return "The kept look's " + cueNumberName(place_) +
               " is not in the show: no cue is current";
    }
    return {};
}

std::string ShowEngine::currentName() const {
    return cueNumberName(currentCue());
}

std::string ShowEngine::apply(const Refused& command, Module1::LevelStore&, Milliseconds) {
    return command.reason;
}

std::string ShowEngine::apply(const Record& command, Module1::LevelStore& levels, Milliseconds) {
    const Cue* last = cues_.last();
    CueNumber number = command.number.value_or(last ? (last->number / 10 + 1) * 10 : 10);
    if (number > highestCueNumber) return "rec: no cue number left after 9999.9";
    // Over the cue being faded to, the fade stops where it is: the cue is the look on stage.
    if (fade_ && number == place_) fade_.reset();
    // Recording over a cue keeps its times and label unless the line gives new ones.
    const Cue* old = cues_.find(number);
    Cue cue = old ? *old : Cue{number, "", FadeTimes{}, {}};
    cue.levels = levels;
    takeTimesAndLabel(cue, command);
    recordUndo("rec " + cueNumberText(number), levels);
    std::string result =
        cueName(cue) + (old ? " replaced, " : " recorded, ") + fadeTimesText(cue.times) + " s";
    cues_.put(std::move(cue));
    return result;
}

std::string ShowEngine::apply(const ChangeCue& command, Module1::LevelStore& levels, Milliseconds) {
    const Cue* old = cues_.find(command.number);
    if (!old) return "cue: no " + cueNumberName(command.number);
    Cue cue = *old;
    takeTimesAndLabel(cue, command);
    recordUndo("cue " + cueNumberText(cue.number), levels);
    std::string result = cueName(cue) + " changed, " + fadeTimesText(cue.times) + " s";
    cues_.put(std::move(cue));
    return result;
}

std::string ShowEngine::apply(const DeleteCue& command, Module1::LevelStore& levels, Milliseconds) {
    if (!cues_.find(command.number)) return "del: no " + cueNumberName(command.number);
    recordUndo("del " + cueNumberText(command.number), levels);
    cues_.erase(command.number);
    return cueNumberName(command.number) + " deleted";
}

std::string ShowEngine::apply(const Go& command, Module1::LevelStore& levels, Milliseconds nowMs) {
    if (command.guarded && command.from != currentCue()) {
        return "go: refused, " + currentName() + " is current";
    }
    const Cue* next = nextCue();
    if (!next) return cues_.empty() ? "go: no cues" : "go: no cue after " + cueNumberName(place_);
    recordUndo("go", levels);
    return fadeTo("go", *next, next->times, levels, nowMs);
}

std::string ShowEngine::apply(const Back&, Module1::LevelStore& levels, Milliseconds nowMs) {
    if (!place_) return "back: no cue is current";
    const Cue* previous = cues_.before(*place_);
    if (!previous) return "back: no cue before " + cueNumberName(place_);
    recordUndo("back", levels);
    return fadeTo("back", *previous, backTimes, levels, nowMs);
}

std::string ShowEngine::apply(const GoTo& command, Module1::LevelStore& levels,
                              Milliseconds nowMs) {
    const Cue* cue = cues_.find(command.number);
    if (!cue) return "goto: no " + cueNumberName(command.number);
    recordUndo("goto " + cueNumberText(cue->number), levels);
    return fadeTo("goto", *cue, command.times.value_or(cue->times), levels, nowMs);
}

std::string ShowEngine::apply(const SetMaster& command, Module1::LevelStore&, Milliseconds) {
    master_ = command.percent;
    return "grand master " + std::to_string(master_) + "%";
}

std::string ShowEngine::apply(const SetBlackout& command, Module1::LevelStore&, Milliseconds) {
    using Switch = SetBlackout::Switch;
    blackout_ = command.to == Switch::toggle ? !blackout_ : command.to == Switch::on;
    return blackout_ ? "blackout ON" : "blackout OFF";
}

std::string ShowEngine::apply(const Undo&, Module1::LevelStore& levels, Milliseconds) {
    std::optional<UndoEntry> entry = journal_.pop();
    if (!entry) return "undo: nothing to undo";
    levels = entry->levels;
    place_ = entry->place;
    cues_ = std::move(entry->cues);
    patch_ = std::move(entry->patch);
    fade_.reset();
    return "undo: " + entry->description + " taken back";
}

std::string ShowEngine::fadeTo(std::string_view command, const Cue& cue, FadeTimes times,
                               Module1::LevelStore& levels, Milliseconds nowMs) {
    fade_.emplace(levels, cue.levels, times, nowMs);
    place_ = cue.number;
    step(levels, nowMs);
    return std::string(command) + ": " + cueName(cue) + ", " + fadeTimesText(times) + " s";
}

std::string masterText(const ShowEngine& engine) {
    std::string master = "master " + std::to_string(engine.master()) + "%";
    return engine.blackout() ? "BLACKOUT, " + master : master;
}

std::string cueText(const ShowEngine& engine) {
    std::optional<CueNumber> current = engine.currentCue();
    if (!current) return "no cue";
    const Cue* cue = engine.cues().find(*current);
    std::string name = cue ? cueName(*cue) : cueNumberName(*current);
    return engine.fading() ? "fading to " + name : name;
}

}  // namespace show
