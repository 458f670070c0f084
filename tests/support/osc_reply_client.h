#pragma once
// A liblo client of the test's own: it sends from its port and hears the replies there (oscsend
// sends from a port of its own that nobody listens on, and oscdump cannot send).

#include <lo/lo.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace testsupport {

// Runs the event loop (and the client, when given) until done, five seconds at most.
void runOscUntil(const std::function<bool()>& done, lo_server client = nullptr);

struct OscReplyClient {
    OscReplyClient();
    ~OscReplyClient();
    OscReplyClient(const OscReplyClient&) = delete;
    OscReplyClient& operator=(const OscReplyClient&) = delete;

    // Sends one integer to address on 127.0.0.1:port; the reply, empty when none came in 5 s.
    std::string send(int port, const char* address, int32_t value);

    lo_server server;
    // Each reply that carries one string, as its address, a space and the string.
    std::vector<std::string> replies;
};

}  // namespace testsupport
