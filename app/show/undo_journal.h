#pragma once
// The undo journal: how the stage, the cue list and the patch were before each of the last hundred lines
// that changed them.

#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "fixtures/patch.h"
#include "shell/module1.h"
#include "show/cue_list.h"

namespace show {

struct UndoEntry {
    std::string description;  // the line as the result names it: "rec 5", "34@25"
    Module1::LevelStore levels{};
    // The current cue's number, or the deleted current cue's.
    std::optional<CueNumber> place;
    CueList cues;
    // Shared with the engine until a fixture line changes its own.
    std::shared_ptr<const fixtures::Patch> patch;
};

class UndoJournal {
  public:
    static constexpr size_t depth = 100;

    // Keeps the entry, forgetting the oldest beyond the depth.
    void push(UndoEntry entry);
    // The latest entry, taken out of the journal; nothing when it is empty.
    std::optional<UndoEntry> pop();
    void clear() { entries_.clear(); }

  private:
    std::deque<UndoEntry> entries_;
};

}  // namespace show
