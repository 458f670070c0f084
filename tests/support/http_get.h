#pragma once
// A browser's plain request to the program under test, on loopback.

#include <string>

namespace testsupport {

// One GET on a new connection to 127.0.0.1:port, as a browser sends a form; the whole reply.
std::string httpGet(int port, const std::string& target);

}  // namespace testsupport
