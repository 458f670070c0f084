#pragma once
// The addresses of a host name, looked up on a thread of its own: a name server that is slow or
// gone would otherwise hold up the event thread, and with it every command of the console. The
// answer is announced on a descriptor that turns readable; dropping the lookup before then
// abandons it without waiting for the thread.

#include <netdb.h>

#include <cstdint>
#include <memory>
#include <string>

namespace platform::detail {

class NameLookup {
  public:
    NameLookup(const std::string& host, int32_t port);
    ~NameLookup();
    NameLookup(const NameLookup&) = delete;
    NameLookup& operator=(const NameLookup&) = delete;

    // Readable once the answer is there; -1 when the lookup could not be started.
    int descriptor() const { return readEnd_; }
    bool finished() const;
    // The first address found; null while unfinished or when the name has none.
    const addrinfo* address() const;

  private:
    struct Answer;
    std::shared_ptr<Answer> answer_;
    int readEnd_ = -1;
};

}  // namespace platform::detail
