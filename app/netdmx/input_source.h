#pragma once
// What the sACN and Art-Net inputs share: a source as the listing shows it, what became of a packet,
// and the memory of the sources a full table turned away, so that each is reported once.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "netdmx/e131_packet.h"

namespace netdmx {

enum class InputProtocol { sacn, artnet };

struct InputSourceInfo {
    std::string name;
    std::string address;
    InputProtocol protocol = InputProtocol::sacn;
    std::optional<int> priority;  // Art-Net has none
    int64_t ageMs = 0;
};

enum class PacketFate {
    used,
    ignored,
    // The table is full and this source was not turned away before: time to say so.
    turnedAway,
};

// Keyed by what names a source (its CID, its address).
template <typename Key>
class TurnedAway {
  public:
    // True the first time; the note lapses after lapseMs without a packet from the source.
    bool note(const Key& key, int64_t nowMs) {
        auto found = std::find_if(notes_.begin(), notes_.end(),
                                  [&](const Note& note) { return note.key == key; });
        if (found != notes_.end()) {
            found->lastMs = nowMs;
            return false;
        }
        notes_.push_back({key, nowMs});
        return true;
    }
    void forget(const Key& key) {
        std::erase_if(notes_, [&](const Note& note) { return note.key == key; });
    }
    void expire(int64_t nowMs, int64_t lapseMs) {
        std::erase_if(notes_, [&](const Note& note) { return nowMs - note.lastMs >= lapseMs; });
    }

  private:
    struct Note {
        Key key;
        int64_t lastMs;
    };
    std::vector<Note> notes_;
};

// Each slot raised to the other's where the other is higher.
inline void highestTakesPrecedence(Slots& into, const Slots& other) {
    std::transform(into.begin(), into.end(), other.begin(), into.begin(),
                   [](uint8_t a, uint8_t b) { return std::max(a, b); });
}

}  // namespace netdmx
