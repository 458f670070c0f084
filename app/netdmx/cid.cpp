#include "netdmx/cid.h"

namespace netdmx {

namespace {

constexpr size_t textLength = 36;

bool dashAt(size_t position) {
    return position == 8 || position == 13 || position == 18 || position == 23;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

Cid uuidV4(Cid randomBytes) {
    randomBytes[6] = uint8_t((randomBytes[6] & 0x0f) | 0x40);
    randomBytes[8] = uint8_t((randomBytes[8] & 0x3f) | 0x80);
    return randomBytes;
}

std::string formatCid(const Cid& cid) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string text;
    for (size_t i = 0; i < cid.size(); ++i) {
        if (dashAt(text.size())) text += '-';
        text += digits[cid[i] >> 4];
        text += digits[cid[i] & 0x0f];
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
        int high = hexValue(text[i]), low = hexValue(text[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        cid[byte++] = uint8_t(high << 4 | low);
    }
    return cid;
}

}  // namespace netdmx
