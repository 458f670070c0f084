#pragma once
// What the live read-back hears of the show: show control says when, the read-back (above it)
// decides what goes to the streams.

#include "show/show_numbers.h"

namespace show {

class LiveListener {
  public:
    virtual ~LiveListener() = default;
    // The show or the levels changed at nowMs. levelsTold: the line's own command event carries
    // the levels, so only the show goes out.
    virtual void showChanged(Milliseconds nowMs, bool levelsTold) = 0;
    // The show on stage is what readers start from (a restore, before anything was sent).
    virtual void caughtUp() = 0;
};

}  // namespace show
