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
    // Calls fn after the current event.
    using Post = std::function<void(std::function<void()> fn)>;

    ActionQueue(Run run, Post post) : run_(std::move(run)), post_(std::move(post)) {}
    ActionQueue(const ActionQueue&) = delete;
    ActionQueue& operator=(const ActionQueue&) = delete;

    // Runs the action now when none runs or waits, then those sent meanwhile, in order; else the
    // action waits its turn and this returns at once.
    void submit(ConsoleAction action, std::string source = {}, Done done = {});
    // Queues the action in its turn and returns at once, never running it here: when none runs,
    // the queue starts after the current event. For a sender whose own event must not be held by
    // the actions, such as a server's handler, behind which its other clients' requests wait.
    void submitAndReturn(ConsoleAction action, std::string source = {}, Done done = {});
    bool running() const { return running_; }

  private:
    struct Waiting {
        ConsoleAction action;
        std::string source;
        Done done;
    };

    void runWaiting();

    Run run_;
    Post post_;
    std::deque<Waiting> waiting_;
    bool running_ = false;
    // A start is posted: actions sent until it comes wait for it.
    bool startPosted_ = false;
};

}  // namespace show
