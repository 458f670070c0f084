#include "server/listener_status.h"

#include "platform/text.h"

namespace server {

namespace {

std::string_view withoutIPv4Mapping(std::string_view address) {
    constexpr std::string_view mapped = "::ffff:";
    bool dotted = address.find('.') != std::string_view::npos;
    return dotted && address.starts_with(mapped) ? address.substr(mapped.size()) : address;
}

std::string socketErrorMessage(int32_t code) {
    switch (code) {
        case 100:
            return "Internet Driver Error";
        case 102:
            return "Disconnected";
        case 103:
            return "Bad Internet Address";
        case 104:
            return "Can't access telnet port 23, OSX or Linux permission problem?";
        case 105:
            return "Internet port already in use";
        case 106:
            return "Invalid state error";
        default:
            return "Error: " + platform::Str(code);
    }
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
