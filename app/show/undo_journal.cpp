#include "show/undo_journal.h"

namespace show {

void UndoJournal::push(UndoEntry entry) {
    if (entries_.size() == depth) entries_.pop_front();
    entries_.push_back(std::move(entry));
}

std::optional<UndoEntry> UndoJournal::pop() {
    if (entries_.empty()) return std::nullopt;
    UndoEntry entry = std::move(entries_.back());
    entries_.pop_back();
    return entry;
}

}  // namespace show
