#pragma once
// A console started before the network is up (a service at boot) tells the operator where to
// find it once an address appears.

#include <cstdint>
#include <functional>
#include <string>

class Window1;

namespace headless {

// The line that tells the operator which address to open in a browser.
std::string openInBrowserLine(const std::string& address, int32_t port);

// Looks at the interface addresses every few seconds and prints openInBrowserLine for each one
// that was not there at the last look.
void announceNewAddresses(const Window1& window, std::function<void(const std::string&)> print);

}  // namespace headless
