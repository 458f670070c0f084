#include "status/status_model.h"

namespace status {

void StatusModel::setState(Source source, std::string key, std::string text, int64_t nowMs) {
    Entry entry{source, Entry::Kind::state, std::move(key), std::move(text), nowMs};
    auto [at, added] = states_.try_emplace({source, entry.key}, entry);
    const bool isNew = added || at->second.text != entry.text;
    at->second = entry;
    // A copy: a watcher may set a state or add an event in turn.
    watchers_.tell(entry, isNew);
}

void StatusModel::addEvent(Source source, std::string text, int64_t nowMs) {
    const Entry entry{source, Entry::Kind::event, {}, std::move(text), nowMs};
    events_.push_back(entry);
    if (events_.size() > eventLimit) events_.pop_front();
    watchers_.tell(entry, true);
}

}  // namespace status
