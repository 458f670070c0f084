#include "platform/service_notify.h"

#include <systemd/sd-daemon.h>

#include <cstdint>

namespace platform::ServiceManager {

void notifyReady() {
    sd_notify(0, "READY=1");
}

std::chrono::microseconds watchdogInterval() {
    uint64_t microseconds = 0;
    if (sd_watchdog_enabled(0, &microseconds) <= 0) return std::chrono::microseconds::zero();
    return std::chrono::microseconds(microseconds);
}

void feedWatchdog() {
    sd_notify(0, "WATCHDOG=1");
}

}  // namespace platform::ServiceManager
