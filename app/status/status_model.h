#pragma once
// What the program says about itself, as data: states, each replaced by the next of its key (the
// server's port, the current cue), and events, appended (an interface lost, a login refused). The
// main window's labels, the interface dialog and the headless journal watch it; nothing reads a
// label back.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>

#include "platform/watchers.h"

namespace status {

// Where an entry is said: each source has a label of its own.
enum class Source {
    statusLine,       // the main window's status line: the interface, the clients, the show file
    serverPort,       // the port the server listens on
    lanAddresses,     // this machine's addresses, one a line
    wanAddresses,     // its public addresses, one a line
    cue,              // with show control on: the current cue and a running fade
    master,           // the grand master and the blackout
    interfaceDialog,  // the DMX interface dialog: its port and the interface's reply
};

struct Entry {
    enum class Kind { state, event };
    Source source;
    Kind kind;
    // A state's name within its source; empty for an event.
    std::string key;
    std::string text;
    int64_t timeMs = 0;
};

class StatusModel {
  public:
    // The events kept; older ones are forgotten.
    static constexpr size_t eventLimit = 200;

    // Told of each state set and each event added. A state set to the text it already has is told
    // too (a label that shows several states shows it again), as not new.
    using Watcher = std::function<void(const Entry& entry, bool isNew)>;

    void setState(Source source, std::string key, std::string text, int64_t nowMs);
    void addEvent(Source source, std::string text, int64_t nowMs);

    // The latest state of each source and key.
    const std::map<std::pair<Source, std::string>, Entry>& states() const { return states_; }
    // The latest events, oldest first.
    const std::deque<Entry>& events() const { return events_; }

    size_t watch(Watcher watcher) { return watchers_.watch(std::move(watcher)); }
    void unwatch(size_t watcher) { watchers_.unwatch(watcher); }

  private:
    std::map<std::pair<Source, std::string>, Entry> states_;
    std::deque<Entry> events_;
    platform::Watchers<const Entry&, bool> watchers_;
};

}  // namespace status
