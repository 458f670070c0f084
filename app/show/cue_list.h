#pragma once
// The cues of a show in number order. Cues are immutable once made and shared: a copy of the list
// (an undo snapshot, a saved look) costs a pointer per cue, not a level store per cue.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shell/module1.h"
#include "show/show_numbers.h"

namespace show {

struct Cue {
    CueNumber number = lowestCueNumber;
    std::string label;
    FadeTimes times;
    // All 512 levels as the level store held them, unscaled; element 0 unused.
    Module1::LevelStore levels{};
};

using CuePointer = std::shared_ptr<const Cue>;

class CueList {
  public:
    // Adds the cue, or replaces the one with its number.
    void put(Cue cue);
    void erase(CueNumber number);

    const Cue* find(CueNumber number) const;
    // The first cue after number; the first cue of all when number is empty.
    const Cue* after(std::optional<CueNumber> number) const;
    // The last cue before number.
    const Cue* before(CueNumber number) const;
    const Cue* last() const { return cues_.empty() ? nullptr : cues_.back().get(); }

    bool empty() const { return cues_.empty(); }
    size_t size() const { return cues_.size(); }
    auto begin() const { return cues_.begin(); }
    auto end() const { return cues_.end(); }

  private:
    std::vector<CuePointer>::const_iterator lowerBound(CueNumber number) const;

    std::vector<CuePointer> cues_;
};

// `cue 2 "Act 1"`, or `cue 2` without a label.
std::string cueName(const Cue& cue);

}  // namespace show
