#pragma once
// Loopback addresses for the tests and benchmarks: 127.0.0.1 only.

#include <netinet/in.h>

#include <cstdint>

namespace testsupport {

sockaddr_in loopbackAddress(int32_t port);

// A TCP port on 127.0.0.1 that nothing listens on right now.
int32_t freePort();

}  // namespace testsupport
