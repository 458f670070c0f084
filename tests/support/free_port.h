#pragma once
#include <cstdint>

namespace testsupport {
// A TCP port on 127.0.0.1 that nothing listens on right now.
int32_t freePort();
}  // namespace testsupport
