#pragma once
// What the program tells the service manager that started it (systemd's notify protocol). Outside
// a service every call does nothing.

#include <chrono>

namespace platform::ServiceManager {

// The service is up: the manager may now start what waits for it.
void notifyReady();
// How often the manager wants to hear that the program is alive, or zero when it does not ask.
std::chrono::microseconds watchdogInterval();
// The program is alive.
void feedWatchdog();

}  // namespace platform::ServiceManager
