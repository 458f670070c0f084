#pragma once

#include <cstddef>

#include "codec_frame.h"

namespace quilvane {

// What the Base64 decoder's sizing pass finds: the text before the first "=" and the alphabet
// characters in it.
struct DecoderInput {
    Bytes data;
    size_t characters;
};

}  // namespace quilvane
