#pragma once
// How much a TCP connection or a serial port takes from its descriptor: one read per wake-up, and
// none while this much lies unread, so a peer that sends faster than its handler reads fills the
// kernel's buffer, not ours.

#include <cstddef>

namespace platform {

inline constexpr size_t kReadSize = 16384;
inline constexpr size_t kMaxUnread = 65536;

}  // namespace platform
