#pragma once
// The time show control runs on: now, the fade clock's one timer, the events a command line lets
// run between its characters, and calls put off until the current event is done. The program gives
// it the event loop's (program_clock.h); a test moves its own.

#include <functional>

#include "show/show_numbers.h"

namespace show {

class ShowClock {
  public:
    virtual ~ShowClock() = default;

    virtual Milliseconds now() const = 0;
    // Calls fired once, delay from now; a start while one waits moves it.
    virtual void start(Milliseconds delay) = 0;
    virtual void stop() = 0;
    // Between a command line's characters: other events may run, and may send actions.
    virtual void letEventsRun() = 0;
    // Calls fn after the current event, unless the clock has gone by then.
    virtual void post(std::function<void()> fn) = 0;

    // Set by its user before the first start.
    std::function<void()> fired;
};

}  // namespace show
