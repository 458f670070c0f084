#pragma once
// The one event thread: the application object, background-task yields, deferred calls, ticks and
// message boxes.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

class Application {
  public:
    // headless: no windows and no display are needed; otherwise a desktop application.
    Application(int& argc, char** argv, bool headless);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    int run();
    static void quit(int exitCode = 0);
    static bool headless();
    // Whether a display is there to show windows on.
    static bool displayAvailable();

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// SIGTERM and SIGINT end the event loop with exit status 0.
void quitOnTerminationSignals();
// SIGHUP (the terminal or ssh session went away) is ignored: the program keeps running.
void ignoreHangups();
// Puts /dev/null on standard input, output and error where they are closed, before any other file
// is opened: else the next file opened (an event loop's own fd) would take their number and the
// status lines would be written into it.
void openClosedStandardStreams();

// Lets the framework run pending events inside a long loop. Handlers run through a HandlerGate are
// never re-entered by it; their events wait until the running call has returned.
void yieldToBackgroundTasks();
// Runs fn on the event thread after the current event.
void post(std::function<void()> fn);

// Calls posted by their owner to run after the current event, as post does; those still waiting
// when the owner goes are dropped with it.
class PostedCalls {
  public:
    PostedCalls();
    ~PostedCalls();
    PostedCalls(const PostedCalls&) = delete;
    PostedCalls& operator=(const PostedCalls&) = delete;

    void post(std::function<void()> fn);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

void singleShot(int milliseconds, std::function<void()> fn);

// Sixtieths of a second since the program started.
int64_t Ticks();

// Shows a message without blocking: a message box on the desktop, a line on standard output when
// headless. Tests read the last messages through messageLog().
void MsgBox(const std::string& text);
void setMessageSink(std::function<void(const std::string&)> sink);
const std::vector<std::string>& messageLog();
void clearMessageLog();

// Keeps one handler from running inside itself: a call that arrives while it runs is done right
// after.
class HandlerGate {
  public:
    template <class F>
    void run(F&& handler) {
        if (running_) {
            pending_ = true;
            return;
        }
        running_ = true;
        do {
            pending_ = false;
            handler();
        } while (pending_);
        running_ = false;
    }
    bool running() const { return running_; }

  private:
    bool running_ = false;
    bool pending_ = false;
};

struct Screen {
    static int AvailableWidth();
    static int AvailableHeight();
};

}  // namespace platform
