#pragma once
// What the status line says about the listener and its connections.

#include <cstdint>
#include <string>
#include <string_view>

namespace server {

// "Connected to: " and the client's address, an IPv4 client in its dotted form.
std::string connectedCaption(std::string_view remoteAddress);

// Said once when an address has failed the login too often and its attempts are refused.
std::string loginsRefusedCaption(std::string_view remoteAddress);

// The code, ": " and its message, for example "102: Disconnected" or "107: Error: 107".
std::string socketErrorCaption(int32_t code);

}  // namespace server
