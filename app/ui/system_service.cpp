#include "ui/system_service.h"

#include <algorithm>

#include "platform/events.h"
#include "platform/service_notify.h"
#include "shell/window1.h"

namespace systemService {

namespace {

// A listener that could not open its port tries again every second; this looks more often so
// READY follows soon after it succeeds.
constexpr int listenerCheckMs = 200;

void notifyWhenListening(const Window1& window) {
    if (window.TCPSocket1.IsListening()) {
        platform::ServiceManager::notifyReady();
        return;
    }
    platform::singleShot(listenerCheckMs, [&window] { notifyWhenListening(window); });
}

// Fed from a timer on the event loop: while the loop is stuck, no timer fires and the feeding
// stops.
void feedWatchdogEvery(int milliseconds) {
    platform::singleShot(milliseconds, [milliseconds] {
        platform::ServiceManager::feedWatchdog();
        feedWatchdogEvery(milliseconds);
    });
}

}  // namespace

void start(const Window1& window) {
    notifyWhenListening(window);
    auto interval = platform::ServiceManager::watchdogInterval();
    if (interval.count() > 0) {
        auto half = std::chrono::duration_cast<std::chrono::milliseconds>(interval / 2).count();
        feedWatchdogEvery(static_cast<int>(std::max<long long>(1, half)));
    }
}

}  // namespace systemService
