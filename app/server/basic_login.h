#pragma once
// The login of the command server: HTTP Basic credentials in the request head.

#include <string_view>

namespace server {

// Equality whose time depends only on the lengths, not on where the texts differ.
bool constantTimeEquals(std::string_view a, std::string_view b);

// The encoded credentials of the head's "Authorization: Basic" line; empty when there is none.
std::string_view basicCredentials(std::string_view head);

// expected is the Base64 of username ":" password, without line breaks.
bool loginAccepted(std::string_view head, std::string_view expected);

}  // namespace server
