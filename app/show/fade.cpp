#include "show/fade.h"

#include <algorithm>
#include <cstdlib>

namespace show {

namespace {

// value × part / whole rounded to the nearest, halves away from zero.
int64_t roundedShare(int64_t value, int64_t part, int64_t whole) {
    int64_t magnitude = (2 * std::abs(value) * part + whole) / (2 * whole);
    return value < 0 ? -magnitude : magnitude;
}

}  // namespace

Fade::Fade(const Module1::LevelStore& from, const Module1::LevelStore& to, FadeTimes times,
           Milliseconds startMs)
    : from_(from), to_(to), times_(times), startMs_(startMs) {
    for (int32_t channel = 1; channel <= Module1::lastChannel; ++channel) {
        if (from_[channel] != to_[channel]) length_ = std::max(length_, timeOf(channel));
    }
}

Milliseconds Fade::elapsedAt(Milliseconds nowMs) const {
    return std::max<Milliseconds>(0, nowMs - startMs_);
}

Milliseconds Fade::timeOf(int32_t channel) const {
    return to_[channel] > from_[channel] ? times_.up : times_.down;
}

int32_t Fade::levelAt(int32_t channel, Milliseconds elapsed) const {
    Milliseconds time = timeOf(channel);
    if (elapsed >= time) return to_[channel];
    return from_[channel] + int32_t(roundedShare(to_[channel] - from_[channel], elapsed, time));
}

FadeStep Fade::step(Module1::LevelStore& levels, Milliseconds nowMs) const {
    Milliseconds elapsed = elapsedAt(nowMs);
    FadeStep result{false, elapsed >= length_};
    for (int32_t channel = 1; channel <= Module1::lastChannel; ++channel) {
        if (released_[channel]) continue;
        int32_t level = levelAt(channel, elapsed);
        result.changed |= levels[channel] != level;
        levels[channel] = level;
    }
    return result;
}

double Fade::progress(Milliseconds nowMs) const {
    if (length_ == 0) return 1.0;
    return std::clamp(double(nowMs - startMs_) / double(length_), 0.0, 1.0);
}

void Fade::release(int32_t channel) {
    if (channel >= 1 && channel <= Module1::lastChannel) released_[channel] = true;
}

RestOfFade Fade::rest(const Module1::LevelStore& levels, Milliseconds nowMs) const {
    Milliseconds elapsed = elapsedAt(nowMs);
    RestOfFade rest{{std::max<Milliseconds>(0, times_.up - elapsed),
                     std::max<Milliseconds>(0, times_.down - elapsed)},
                    to_};
    for (int32_t channel = 1; channel <= Module1::lastChannel; ++channel) {
        if (released_[channel]) rest.to[channel] = levels[channel];
    }
    return rest;
}

}  // namespace show
