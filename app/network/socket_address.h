#pragma once
// A socket address as text, the way the status line and RemoteAddress show it.

#include <sys/socket.h>

#include <string>

namespace platform {

// Numeric text of the address without its port. An IPv4 client of a dual-stack listener shows in
// its dotted form, not as ::ffff:a.b.c.d.
std::string addressText(const sockaddr_storage& address);

}  // namespace platform
