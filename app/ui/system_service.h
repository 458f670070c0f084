#pragma once
// Run as a system service, the console tells the service manager when it is ready and keeps its
// watchdog fed from the event loop, so a frozen loop gets the service restarted.

class Window1;

namespace systemService {

// Sends READY once the window's listener is up, then feeds the watchdog at half the interval the
// manager asks for. Nothing happens outside a service manager.
void start(const Window1& window);

}  // namespace systemService
