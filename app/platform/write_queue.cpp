#include "platform/write_queue.h"

namespace platform {

void WriteQueue::push(std::string_view packet) {
    if (!packet.empty()) packets_.push_back({std::string(packet), false});
}

void WriteQueue::pushLatest(std::string_view packet) {
    if (packet.empty()) return;
    bool begun = packets_.size() == 1 && sent_ > 0;
    if (!packets_.empty() && packets_.back().latest && !begun) {
        packets_.back().bytes.assign(packet);
        return;
    }
    packets_.push_back({std::string(packet), true});
}

std::string_view WriteQueue::next() const {
    if (packets_.empty()) return {};
    return std::string_view(packets_.front().bytes).substr(sent_);
}

void WriteQueue::written(size_t count) {
    sent_ += count;
    if (!packets_.empty() && sent_ >= packets_.front().bytes.size()) {
        packets_.pop_front();
        sent_ = 0;
    }
}

size_t WriteQueue::bytes() const {
    size_t total = 0;
    for (const Packet& packet : packets_) total += packet.bytes.size();
    return total - sent_;
}

void WriteQueue::clear() {
    packets_.clear();
    sent_ = 0;
}

}  // namespace platform
