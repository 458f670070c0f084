#pragma once
// The show: the cue list, the current cue, the grand master, the blackout, the running fade, the
// patch of fixtures and the undo journal, driven by show commands and fixture lines. Plain logic: the caller owns the level store and the
// clock, and passes both in.

#include <memory>
#include <optional>
#include <span>
#include <string>

#include "fixtures/fixture_lines.h"
#include "fixtures/patch.h"
#include "shell/module1.h"
#include "show/cue_list.h"
#include "show/fade.h"
#include "show/saved_show.h"
#include "show/show_command.h"
#include "show/undo_journal.h"

namespace show {

class ShowEngine {
  public:
    // Runs the command on the levels at nowMs; the result says what happened in plain words, or
    // why nothing did. A fade it starts has already taken its first step.
    std::string run(const ShowCommand& command, Module1::LevelStore& levels, Milliseconds nowMs);
    // Moves the running fade on to nowMs; ended (and no change) when none runs.
    FadeStep step(Module1::LevelStore& levels, Milliseconds nowMs);

    // Runs a fixture line on the patch and the levels; when it applied, undo goes back to both as
    // they were.
    fixtures::LineOutcome runFixtureLine(std::string_view line, Module1::LevelStore& levels,
                                         const fixtures::TypeLookup& lookup);

    // A typed channel command set these channels: they leave the running fade at their new level.
    void channelsTyped(std::span<const int32_t> channels);
    // A typed channel command is about to change the levels; undo goes back to `before`.
    void recordUndo(std::string description, const Module1::LevelStore& before);

    const CueList& cues() const { return cues_; }
    const fixtures::Patch& patch() const { return *patch_; }
    // The cue on stage, or being faded to; none once it is deleted.
    std::optional<CueNumber> currentCue() const;
    // The cue a plain go fades to: the first after the current cue, or after the deleted one's
    // number; null at the end of the list.
    const Cue* nextCue() const { return cues_.after(place_); }
    bool fading() const { return fade_.has_value(); }
    // The running fade's progress from 0 to 1; when none runs, 1 with a cue current, else 0.
    double progress(Milliseconds nowMs) const;
    int32_t master() const { return master_; }
    bool blackout() const { return blackout_; }
    // The master below full or the blackout on: the outputs send less than the levels.
    bool holdsDown() const { return master_ < 100 || blackout_; }

    // The show to keep in the show file, with the levels on stage at nowMs.
    SavedShow saved(const Module1::LevelStore& levels, Milliseconds nowMs) const;
    // Back to a saved show at nowMs: its cues, master, blackout and look, its fade going on from
    // there, an empty journal. The result says what of it could not be taken as it was, or is
    // empty.
    std::string restore(const SavedShow& show, Module1::LevelStore& levels, Milliseconds nowMs);

  private:
    std::string apply(const Refused& command, Module1::LevelStore&, Milliseconds);
    std::string apply(const Record& command, Module1::LevelStore& levels, Milliseconds);
    std::string apply(const ChangeCue& command, Module1::LevelStore& levels, Milliseconds);
    std::string apply(const DeleteCue& command, Module1::LevelStore& levels, Milliseconds);
    std::string apply(const Go& command, Module1::LevelStore& levels, Milliseconds nowMs);
    std::string apply(const Back& command, Module1::LevelStore& levels, Milliseconds nowMs);
    std::string apply(const GoTo& command, Module1::LevelStore& levels, Milliseconds nowMs);
    std::string apply(const SetMaster& command, Module1::LevelStore&, Milliseconds);
    std::string apply(const SetBlackout& command, Module1::LevelStore&, Milliseconds);
    std::string apply(const Undo& command, Module1::LevelStore& levels, Milliseconds);

    // Fades to the cue, which becomes current; the result names it after `command`.
    std::string fadeTo(std::string_view command, const Cue& cue, FadeTimes times,
                       Module1::LevelStore& levels, Milliseconds nowMs);
    std::string currentName() const;

    CueList cues_;
    // The number of the current cue, kept when the cue is deleted: next counts from it.
    std::optional<CueNumber> place_;
    int32_t master_ = 100;
    bool blackout_ = false;
    std::optional<Fade> fade_;
    // Never changed in place: the undo journal shares it.
    std::shared_ptr<const fixtures::Patch> patch_ = std::make_shared<const fixtures::Patch>();
    UndoJournal journal_;
};

// The cue on stage as the windows show it: `cue 2 "Act 1"`, "fading to cue 3", "no cue".
std::string cueText(const ShowEngine& engine);
// "master 80%", or "BLACKOUT, master 80%".
std::string masterText(const ShowEngine& engine);

}  // namespace show
