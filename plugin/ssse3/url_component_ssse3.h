#pragma once
// The URL encoder's SSSE3 kernels, run only where kernel_choice.h says; the byte-by-byte walk in
// url_component.cpp writes what is left after them.

#include <cstddef>
#include <cstdint>

#include "../codec_frame.h"
#include "../kernel_choice.h"

#ifdef QUILVANE_X86_KERNELS
namespace quilvane::ssse3 {

// Blocks of sixteen bytes while sixteen input bytes, so sixteen output bytes, follow them; moves
// out past what it wrote and returns the input bytes done.
__attribute__((target("ssse3"))) size_t encodeBlocks(Bytes text, uint8_t*& out);

// The bytes that are not in the unreserved set.
__attribute__((target("ssse3"))) size_t countEscaped(Bytes text);

}  // namespace quilvane::ssse3
#endif
