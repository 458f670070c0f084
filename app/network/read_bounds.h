#pragma once
// How much a TCP connection or a serial port takes from its descriptor: one read per wake-up, and
// none while this much lies unread, so a peer that sends faster than its handler reads fills the
// kernel's buffer, not ours.

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <string>

namespace platform {

inline constexpr size_t kReadSize = 16384;
inline constexpr size_t kMaxUnread = 65536;

// One read onto what lies unread (less than the bound), never past it; read's result.
inline ssize_t readBounded(int fd, std::string& in) {
    char buffer[kReadSize];
    ssize_t got;
    do got = ::read(fd, buffer, std::min(sizeof buffer, kMaxUnread - in.size()));
    while (got < 0 && errno == EINTR);
    if (got > 0) in.append(buffer, static_cast<size_t>(got));
    return got;
}

}  // namespace platform
