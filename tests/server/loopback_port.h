#pragma once
// Loopback addresses for the server tests and benches: 127.0.0.1 only.

#include <netinet/in.h>

#include <cstdint>

namespace testsupport {

sockaddr_in loopbackAddress(int32_t port);

// A port on which nothing listens right now.
int32_t unusedPort();

}  // namespace testsupport
