#pragma once

#include <cstdint>

namespace quilvane {

// The bytes a URL component keeps as they are: letters, digits, "-", "_" and ".".
constexpr bool inUrlUnreservedSet(uint8_t b) {
    return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == '-' ||
           b == '_' || b == '.';
}

}  // namespace quilvane
