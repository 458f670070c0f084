#include "netdmx/cid.h"

#include "platform/hex_bytes.h"

namespace netdmx {

namespace {

constexpr size_t textLength = 36;

bool dashAt(size_t position) {
    return position == 8 || position == 13 || position == 18 || position == 23;
}

}  // namespace

Cid uuidV4(Cid randomBytes) {
    randomBytes[6] = uint8_t((randomBytes[6] & 0x0f) | 0x40);
    randomBytes[8] = uint8_t((randomBytes[8] & 0x3f) | 0x80);
    return randomBytes;
}

std::string formatCid(const Cid& cid) {
    std::string text;
    for (size_t i = 0; i < cid.size(); ++i) {
        if (dashAt(text.size())) text += '-';
        platform::appendHexByte(text, cid[i]);
    }
    return text;
}

std::optional<Cid> parseCid(std::string_view text) {
    if (text.size() != textLength) return std::nullopt;
    Cid cid{};
    size_t byte = 0;
    for (size_t i = 0; i < textLength; i += 2) {
        if (dashAt(i)) {
            if (text[i] != '-') return std::nullopt;
            ++i;
        }
        auto value = platform::hexByte(text.substr(i));
        if (!value) return std::nullopt;
        cid[byte++] = *value;
    }
    return cid;
}

}  // namespace netdmx
