#pragma once
// Show control's clock in the program: the steady clock, and a timer and posted calls on the event
// loop.

#include "platform/events.h"
#include "platform/timer.h"
#include "show/show_clock.h"

namespace show {

class ProgramClock : public ShowClock {
  public:
    ProgramClock();
    Milliseconds now() const override;
    void start(Milliseconds delay) override;
    void stop() override;
    void letEventsRun() override;
    void post(std::function<void()> fn) override;

  private:
    platform::Timer timer_;
    platform::PostedCalls posted_;
};

}  // namespace show
