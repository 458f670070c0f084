#pragma once
// A socket address as text, the way the status line and RemoteAddress show it.

#include <sys/socket.h>

#include <string>
#include <vector>

namespace platform {

// Numeric text of the address without its port. An IPv4 client of a dual-stack listener shows in
// its dotted form, not as ::ffff:a.b.c.d.
std::string addressText(const sockaddr_storage& address);

// Every address of a host, IPv4 and IPv6, as addressText shows them: an address literal at once,
// a name through the resolver (which may wait for the name server). Empty when it does not
// resolve.
std::vector<std::string> hostAddresses(const std::string& host);

}  // namespace platform
