#pragma once
// The one way into the console: every action, whoever sends it, waits here for the one before it.
// An action may let other events run while it runs (a command line between its characters, a
// nested event loop): one sent meanwhile is queued, never run inside it, never refused.

#include <deque>
#include <functional>
#include <string>

#include "show/console_action.h"

namespace show {

class ActionQueue {
  public:
    // Carries out one action sent from source and gives its result text.
    using Run = std::function<std::string(const ConsoleAction& action, const std::string& source)>;
    // Told the action's own result right after it ran, before the next runs.
    using Done = std::function<void(const std::string& result)>;

    explicit ActionQueue(Run run) : run_(std::move(run)) {}
    ActionQueue(const ActionQueue&) = delete;
    ActionQueue& operator=(const ActionQueue&) = delete;

    // Runs the action now when none runs, then those sent meanwhile, in order; while one runs, the
    // action waits its turn and this returns at once.
    void submit(ConsoleAction action, std::string source = {}, Done done = {});
    bool running() const { return running_; }

  private:
    struct Waiting {
        ConsoleAction action;
        std::string source;
        Done done;
    };

    Run run_;
    std::deque<Waiting> waiting_;
    bool running_ = false;
};

}  // namespace show
