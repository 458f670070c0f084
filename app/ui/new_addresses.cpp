#include "ui/new_addresses.h"

#include <set>

#include "platform/events.h"
#include "platform/system.h"
#include "platform/text.h"
#include "shell/window1.h"

namespace headless {

namespace {

// Cheap (a few interface listings), and soon enough for someone waiting for a DHCP lease.
constexpr int addressCheckMs = 3000;

std::set<std::string> currentAddresses() {
    namespace Network = platform::System::Network;
    std::set<std::string> addresses;
    for (int i = 0; i < Network::NetworkInterfaceCount(); ++i)
        addresses.insert(Network::IPAddress(i));
    addresses.erase("");
    return addresses;
}

void checkLater(const Window1& window, std::function<void(const std::string&)> print,
                std::set<std::string> known) {
    platform::singleShot(addressCheckMs, [&window, print, known = std::move(known)] {
        std::set<std::string> now = currentAddresses();
        for (const std::string& address : now) {
            if (!known.count(address)) print(openInBrowserLine(address, window.ServerPort));
        }
        checkLater(window, print, std::move(now));
    });
}

}  // namespace

std::string openInBrowserLine(const std::string& address, int32_t port) {
    return "Open http://" + address + ":" + platform::Str(port) + "/ in a browser";
}

void announceNewAddresses(const Window1& window, std::function<void(const std::string&)> print) {
    checkLater(window, std::move(print), currentAddresses());
}

}  // namespace headless
