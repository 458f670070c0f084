#include "platform/events.h"
#include "platform/system.h"
#include "platform/text.h"
#include "server/http_socket.h"
#include "settings/config.h"
#include "shell/window1.h"

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
        lblHostName.setCaption("");
        lblIPaddr.setCaption("");
        lblIPort.setCaption(platform::Str(ServerPort));
        int interfaceCount = Network::NetworkInterfaceCount();
        for (int i = 0; i < interfaceCount; ++i) {
            lblIPaddr.appendCaption(platform::Str(i) + ": " + Network::IPAddress(i) + CRLF);
            if (Module1::enableWAN) {
                std::string page = publicAddressService.Get(Module1::wanServiceHost + "/ip.php",
                                                            publicAddressTimeoutSeconds);
                lblHostName.appendCaption(platform::Str(i) + ": " + page + CRLF);
            }
            platform::yieldToBackgroundTasks();
        }
    });
}
