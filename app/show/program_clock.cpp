#include "show/program_clock.h"

#include "platform/events.h"

namespace show {

ProgramClock::ProgramClock()
    : timer_([this] {
          if (fired) fired();
      }) {}

Milliseconds ProgramClock::now() const {
    return platform::steadyMs();
}

void ProgramClock::start(Milliseconds delay) {
    timer_.start(int(delay));
}

void ProgramClock::stop() {
    timer_.stop();
}

void ProgramClock::letEventsRun() {
    platform::yieldToBackgroundTasks();
}

void ProgramClock::post(std::function<void()> fn) {
    posted_.post(std::move(fn));
}

}  // namespace show
