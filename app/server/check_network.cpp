#include "platform/events.h"
#include "platform/system.h"
#include "platform/text.h"
#include "platform/timer.h"
#include "server/http_socket.h"
#include "settings/config.h"
#include "shell/window1.h"
#include "status/status_model.h"

namespace {

constexpr int32_t publicAddressTimeoutSeconds = 30;

}  // namespace

void Window1::checkNetwork() {
    checkNetworkGate.run([this] {
        HTTPSocket publicAddressService;
        publicAddressService.yield = true;
        CRLF = "\r\n";
        namespace Network = platform::System::Network;
        if (!Network::IsConnected()) return;
        // The address lists grow a line at a time, as each is found.
        std::string lanAddresses, wanAddresses;
        const auto tell = [this](status::Source source, const std::string& text) {
            status.setState(source, "addresses", text, platform::steadyMs());
        };
        tell(status::Source::wanAddresses, wanAddresses);
        tell(status::Source::lanAddresses, lanAddresses);
        status.setState(status::Source::serverPort, "port", platform::Str(ServerPort),
                        platform::steadyMs());
        int interfaceCount = Network::NetworkInterfaceCount();
        for (int i = 0; i < interfaceCount; ++i) {
            lanAddresses += platform::Str(i) + ": " + Network::IPAddress(i) + CRLF;
            tell(status::Source::lanAddresses, lanAddresses);
            if (Module1::enableWAN) {
                std::string page = publicAddressService.Get(Module1::wanServiceHost + "/ip.php",
                                                            publicAddressTimeoutSeconds);
                wanAddresses += platform::Str(i) + ": " + page + CRLF;
                tell(status::Source::wanAddresses, wanAddresses);
            }
            platform::yieldToBackgroundTasks();
        }
    });
}
