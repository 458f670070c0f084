#include "show/cue_list.h"

#include <algorithm>

namespace show {

std::vector<CuePointer>::const_iterator CueList::lowerBound(CueNumber number) const {
    return std::lower_bound(cues_.begin(), cues_.end(), number,
                            [](const CuePointer& cue, CueNumber n) { return cue->number < n; });
}

void CueList::put(Cue cue) {
    auto place = lowerBound(cue.number);
    auto made = std::make_shared<const Cue>(std::move(cue));
    if (place != cues_.end() && (*place)->number == made->number) {
        cues_[size_t(place - cues_.begin())] = std::move(made);
    } else {
        cues_.insert(place, std::move(made));
    }
}

void CueList::erase(CueNumber number) {
    auto place = lowerBound(number);
    if (place != cues_.end() && (*place)->number == number) cues_.erase(place);
}

const Cue* CueList::find(CueNumber number) const {
    auto place = lowerBound(number);
    return place != cues_.end() && (*place)->number == number ? place->get() : nullptr;
}

const Cue* CueList::after(std::optional<CueNumber> number) const {
    auto place = number ? lowerBound(*number + 1) : cues_.begin();
    return place == cues_.end() ? nullptr : place->get();
}

const Cue* CueList::before(CueNumber number) const {
    auto place = lowerBound(number);
    return place == cues_.begin() ? nullptr : std::prev(place)->get();
}

std::string cueName(const Cue& cue) {
    std::string name = "cue " + cueNumberText(cue.number);
    return cue.label.empty() ? name : name + " \"" + cue.label + "\"";
}

}  // namespace show
