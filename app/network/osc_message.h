#pragma once
// An OSC message as the console sees it, without the library that read it: its address, its
// arguments by type tag, and where it came from.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace platform {

// A type tag the console takes no values of (d, h, T, b and the rest); only the tag is kept.
struct OscOtherType {
    char tag = 0;
};

// 's' a string, 'i' a 32-bit integer, 'f' a 32-bit float.
using OscArgument = std::variant<std::string, int32_t, float, OscOtherType>;

struct OscMessage {
    std::string address;
    std::vector<OscArgument> arguments;
};

// The sender's numeric address ("192.168.1.20") and UDP port.
struct OscSender {
    std::string host;
    uint16_t port = 0;
};

// The kinds of packets that could not be read as OSC; each changes nothing.
enum class OscFault { NotOsc, CutShort, BadTypeTag, BadPadding, BadBundle, TooLarge };
inline constexpr size_t oscFaultKinds = size_t(OscFault::TooLarge) + 1;

// The one reply to a message: an address and its one string. An empty address sends nothing.
struct OscReply {
    std::string address;
    std::string text;
};

}  // namespace platform
