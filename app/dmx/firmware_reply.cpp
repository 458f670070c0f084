#include "dmx/firmware_reply.h"

namespace dmx {

namespace {

std::string byteText(std::string_view bytes, size_t offset) {
    if (offset >= bytes.size()) return "0";
    return std::to_string(static_cast<unsigned char>(bytes[offset]));
}

}  // namespace

std::string firmwareReplyText(std::string_view reply) {
    return "OK, Firmware: " + byteText(reply, 5) + " ." + byteText(reply, 4) + " .";
}

}  // namespace dmx
