#pragma once
// One fade: every channel moves in a straight line from its level when the fade starts to its
// level in the cue, the rising ones in the up time, the falling ones in the down time.

#include <bitset>

#include "shell/module1.h"
#include "show/show_numbers.h"

namespace show {

struct FadeStep {
    bool changed = false;  // some level differs from what the store held
    bool ended = false;    // every channel is at its end level
};

// What is left of a fade at some instant: the time left each way and the levels it ends at. A new
// fade from the levels of that instant goes on along the same straight lines.
struct RestOfFade {
    FadeTimes times;
    Module1::LevelStore to{};
};

class Fade {
  public:
    Fade(const Module1::LevelStore& from, const Module1::LevelStore& to, FadeTimes times,
         Milliseconds startMs);

    // Writes the levels of the instant nowMs into `levels`; exactly the end levels once ended.
    FadeStep step(Module1::LevelStore& levels, Milliseconds nowMs) const;
    // 0 at the start to 1 at the end.
    double progress(Milliseconds nowMs) const;
    // The channel leaves the fade: it keeps whatever level it is given from now on.
    void release(int32_t channel);
    // The rest of the fade at nowMs, `levels` on stage: a released channel ends where it is.
    RestOfFade rest(const Module1::LevelStore& levels, Milliseconds nowMs) const;

  private:
    Milliseconds elapsedAt(Milliseconds nowMs) const;
    Milliseconds timeOf(int32_t channel) const;
    int32_t levelAt(int32_t channel, Milliseconds elapsed) const;

    Module1::LevelStore from_;
    Module1::LevelStore to_;
    FadeTimes times_;
    Milliseconds startMs_;
    // The time of the slowest moving channel: the fade ends then.
    Milliseconds length_ = 0;
    std::bitset<Module1::lastChannel + 1> released_;
};

}  // namespace show
