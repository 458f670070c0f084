#pragma once
// The DMX interface end of the bench's pseudo-terminal: it reads the frames a server sends and
// answers the identification requests some servers make before they send anything.

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>

namespace bench {

class PeerWidget {
  public:
    explicit PeerWidget(int master) : master_(master) {}

    // Reads and answers for the given time.
    void serve(std::chrono::milliseconds time) {
        auto end = std::chrono::steady_clock::now() + time;
        while (std::chrono::steady_clock::now() < end) {
            if (!readSome(10)) continue;
            while (takePacket()) {
            }
        }
    }

    bool probed() const { return probed_; }

    // Reads no more than count bytes, if any are there, as a device that takes its time.
    void take(size_t count) {
        char chunk[8192];
        ssize_t got = ::read(master_, chunk, std::min(count, sizeof chunk));
        if (got > 0) buffer_.append(chunk, static_cast<size_t>(got));
        while (takePacket()) {
        }
    }

    // Waits for a DMX frame that holds the level on the channel.
    bool awaitFrame(int channel, int level, std::chrono::milliseconds timeout) {
        auto end = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < end) {
            while (takePacket()) {
                if (lastFrameHolds(channel, level)) return true;
            }
            readSome(100);
        }
        return false;
    }

    // Whether such a frame is among what has arrived by now, without waiting.
    bool frameArrived(int channel, int level) {
        while (readSome(0)) {
        }
        bool arrived = false;
        while (takePacket()) arrived = arrived || lastFrameHolds(channel, level);
        return arrived;
    }

  private:
    static constexpr uint8_t dmxLabel = 6;

    bool lastFrameHolds(int channel, int level) const {
        return lastLabel_ == dmxLabel && lastPayload_.size() > static_cast<size_t>(channel) &&
               static_cast<uint8_t>(lastPayload_[static_cast<size_t>(channel)]) == level;
    }

    bool readSome(int waitMs) {
        pollfd request{master_, POLLIN, 0};
        if (::poll(&request, 1, waitMs) <= 0) return false;
        char chunk[8192];
        ssize_t got = ::read(master_, chunk, sizeof chunk);
        if (got <= 0) return false;
        buffer_.append(chunk, static_cast<size_t>(got));
        return true;
    }

    // Takes the next whole packet off the buffer, answering it when it asks something.
    bool takePacket() {
        size_t start = buffer_.find('\x7E');
        if (start == std::string::npos) {
            buffer_.clear();
            return false;
        }
        buffer_.erase(0, start);
        if (buffer_.size() < 4) return false;
        size_t length = static_cast<uint8_t>(buffer_[2]) | static_cast<uint8_t>(buffer_[3]) << 8;
        if (buffer_.size() < length + 5) return false;
        lastLabel_ = static_cast<uint8_t>(buffer_[1]);
        lastPayload_ = buffer_.substr(4, length);
        buffer_.erase(0, length + 5);
        answer(lastLabel_);
        return true;
    }

    void answer(uint8_t label) {
        switch (label) {
            case 3:  // widget parameters: firmware 1.44, break, mark after break, rate
                reply(label, std::string("\x2C\x01\x09\x01\x28", 5));
                break;
            case 10:  // serial number
                reply(label, "\x78\x56\x34\x12");
                probed_ = true;
                break;
            case 77:  // manufacturer: ESTA id, then name
                reply(label, std::string("\x4E\x45", 2) + "Enttec");
                break;
            case 78:  // device: id, then name
                reply(label, std::string("\x01\x00", 2) + "DMX USB PRO");
                break;
            default:
                break;
        }
    }

    void reply(uint8_t label, const std::string& payload) {
        std::string packet = {'\x7E', static_cast<char>(label),
                              static_cast<char>(payload.size() & 0xFF),
                              static_cast<char>(payload.size() >> 8)};
        packet += payload;
        packet += '\xE7';
        if (::write(master_, packet.data(), packet.size()) < 0) return;
    }

    int master_;
    std::string buffer_;
    uint8_t lastLabel_ = 0;
    std::string lastPayload_;
    bool probed_ = false;
};

}  // namespace bench
