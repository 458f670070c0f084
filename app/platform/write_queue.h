#pragma once
// Bytes waiting for a device that takes them a part at a time. Packets leave whole and in the order
// they came; a packet that only says how things are now (the latest state) is replaced by a newer
// one while it waits, so the queue never grows with a flood of states.

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

namespace platform {

class WriteQueue {
  public:
    void push(std::string_view packet);
    // Replaces the packet at the end when that one is also a latest state and nothing of it has
    // gone out yet; otherwise queues the packet like push.
    void pushLatest(std::string_view packet);

    // What to write now: the rest of the packet that has begun, else the next packet.
    std::string_view next() const;
    // count bytes of next() have been written.
    void written(size_t count);

    bool empty() const { return packets_.empty(); }
    size_t bytes() const;
    void clear();

  private:
    struct Packet {
        std::string bytes;
        bool latest;
    };
    std::deque<Packet> packets_;
    // How much of the front packet has been written.
    size_t sent_ = 0;
};

}  // namespace platform
