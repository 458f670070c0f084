#include "dmx/interface_packets.h"

#include <algorithm>

namespace dmx {

namespace {

constexpr char startDelimiter = '\x7E';
constexpr char endDelimiter = '\xE7';
constexpr char dmxStartCode = '\0';

void appendHead(std::string& bytes, uint8_t label, size_t length) {
    bytes += startDelimiter;
    bytes += static_cast<char>(label);
    bytes += static_cast<char>(length & 0xFF);
    bytes += static_cast<char>((length >> 8) & 0xFF);
}

}  // namespace

std::string packet(uint8_t label, std::string_view payload) {
    std::string bytes;
    bytes.reserve(payload.size() + 5);
    appendHead(bytes, label, payload.size());
    bytes += payload;
    bytes += endDelimiter;
    return bytes;
}

std::string dmxFrame(const Module1::LevelStore& levels) {
    std::string bytes;
    bytes.reserve(frameSize);
    appendHead(bytes, sendDmxLabel, levels.size());
    bytes += dmxStartCode;
    bytes.resize(frameSize - 1);
    for (size_t ch = 1; ch < levels.size(); ++ch) {
        bytes[4 + ch] = static_cast<char>(std::clamp(levels[ch], 0, 255));
    }
    bytes += endDelimiter;
    return bytes;
}

std::string startCodeOnlyFrame() {
    return packet(sendDmxLabel, std::string_view(&dmxStartCode, 1));
}

std::string parameterRequest() {
    return packet(getParametersLabel, std::string_view("\0\0", 2));
}

}  // namespace dmx
