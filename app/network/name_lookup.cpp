#include "network/name_lookup.h"

#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <system_error>
#include <thread>

namespace platform::detail {

// Shared by the lookup and its thread; whichever lets go last frees it.
struct NameLookup::Answer {
    std::atomic<bool> finished{false};
    addrinfo* found = nullptr;
    ~Answer() {
        if (found) freeaddrinfo(found);
    }
};

NameLookup::NameLookup(const std::string& host, int32_t port)
    : answer_(std::make_shared<Answer>()) {
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return;
    try {
        std::thread([answer = answer_, host, service = std::to_string(port), writeEnd = ends[1]] {
            addrinfo hints{};
            hints.ai_family = AF_UNSPEC;
            hints.ai_socktype = SOCK_STREAM;
            addrinfo* found = nullptr;
            if (getaddrinfo(host.c_str(), service.c_str(), &hints, &found) != 0) found = nullptr;
            answer->found = found;
            answer->finished.store(true, std::memory_order_release);
            // No one may be listening any more: that must not raise SIGPIPE.
            [[maybe_unused]] ssize_t sent = ::send(writeEnd, "", 1, MSG_NOSIGNAL);
            ::close(writeEnd);
        }).detach();
    } catch (const std::system_error&) {
        ::close(ends[0]);
        ::close(ends[1]);
        return;
    }
    readEnd_ = ends[0];
}

NameLookup::~NameLookup() {
    if (readEnd_ >= 0) ::close(readEnd_);
}

bool NameLookup::finished() const {
    return answer_->finished.load(std::memory_order_acquire);
}

const addrinfo* NameLookup::address() const {
    return finished() ? answer_->found : nullptr;
}

}  // namespace platform::detail
