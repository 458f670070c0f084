#include "netdmx/send_schedule.h"

#include <algorithm>

namespace netdmx {

bool SendSchedule::due(int64_t nowMs) const {
    return wait(nowMs) == 0;
}

void SendSchedule::sent(int64_t nowMs) {
    pending_ = false;
    everSent_ = true;
    lastSentMs_ = nowMs;
}

int64_t SendSchedule::wait(int64_t nowMs) const {
    if (!everSent_) return 0;
    int64_t next = lastSentMs_ + (pending_ ? minGapMs : keepAliveMs);
    return std::max<int64_t>(0, next - nowMs);
}

}  // namespace netdmx
