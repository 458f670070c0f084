#pragma once
// The frame every method runs in: null in gives null out with no host call; the data string is held
// for the call; a sizing pass gives the exact result length, the host makes the result and a
// filling pass writes every byte of it and nothing past it (the byte after the text is the host's
// spare).

#include <cstdint>
#include <limits>
#include <span>

#include "host_routines.h"

namespace quilvane {

using Bytes = std::span<const uint8_t>;

inline Bytes textOf(const FrameworkString* s) {
    int32_t length = frameworkStringLength(s);
    if (length <= 0) return {};
    return {frameworkStringText(s), static_cast<size_t>(length)};
}

// measure(text) -> int64_t length; fill(text, out, length). A length beyond the signed 32-bit range
// makes no result at all.
template <class Measure, class Fill>
FrameworkString* transform(FrameworkString* data, Measure measure, Fill fill) {
    lockString(data);
    Bytes text = textOf(data);
    int64_t length = measure(text);
    FrameworkString* result = nullptr;
    if (length <= std::numeric_limits<int32_t>::max()) {
        result = buildString(static_cast<int32_t>(length));
        if (result != nullptr) fill(text, frameworkStringText(result), length);
    }
    unlockString(data);
    return result;
}

template <class Measure, class Fill>
FrameworkString* runEncoder(FrameworkString* data, Measure measure, Fill fill) {
    if (data == nullptr) return nullptr;
    FrameworkString* result = transform(data, measure, fill);
    if (result != nullptr) setStringEncoding(result, asciiEncoding);
    return result;
}

template <class Measure, class Fill>
FrameworkString* runDecoder(FrameworkString* data, const TextEncoding* encoding, Measure measure,
                            Fill fill) {
    if (data == nullptr) return nullptr;
    FrameworkString* result = transform(data, measure, fill);
    return result != nullptr ? applyDefineEncoding(result, encoding) : nullptr;
}

}  // namespace quilvane
