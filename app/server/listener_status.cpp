#include "server/listener_status.h"

#include "network/socket_error.h"
#include "platform/text.h"

namespace server {

namespace {

std::string_view withoutIPv4Mapping(std::string_view address) {
    constexpr std::string_view mapped = "::ffff:";
    bool dotted = address.find('.') != std::string_view::npos;
    return dotted && address.starts_with(mapped) ? address.substr(mapped.size()) : address;
}

std::string socketErrorMessage(int32_t code) {
    using platform::SocketError;
    switch (static_cast<SocketError>(code)) {
        case SocketError::driver:
            return "Internet Driver Error";
        case SocketError::disconnected:
            return "Disconnected";
        case SocketError::badAddress:
            return "Bad Internet Address";
        case SocketError::noPermission:
            return "Can't access telnet port 23, OSX or Linux permission problem?";
        case SocketError::portInUse:
            return "Internet port already in use";
        case SocketError::invalidState:
            return "Invalid state error";
    }
    return "Error: " + platform::Str(code);
}

}  // namespace

std::string connectedCaption(std::string_view remoteAddress) {
    return "Connected to: " + std::string(withoutIPv4Mapping(remoteAddress));
}

std::string loginsRefusedCaption(std::string_view remoteAddress) {
    return "Too many failed logins from " + std::string(withoutIPv4Mapping(remoteAddress)) +
           ": further attempts refused";
}

std::string socketErrorCaption(int32_t code) {
    return platform::Str(code) + ": " + socketErrorMessage(code);
}

}  // namespace server
