#pragma once
// The Base64 codec's SSSE3 kernels, run only where kernel_choice.h says; the portable code in
// base64.cpp does what is left around them.

#include <cstddef>
#include <cstdint>

#include "../base64_decoder_input.h"
#include "../kernel_choice.h"

#ifdef QUILVANE_X86_KERNELS
namespace quilvane::ssse3 {

// Rows of four groups; the caller keeps each sixteen-byte load inside the input.
__attribute__((target("ssse3"))) void encodeRows(const uint8_t* in, size_t rows, uint8_t* out);

// The decoder's sizing pass, for text of 32 bytes or more.
__attribute__((target("ssse3,popcnt"))) DecoderInput measureInput(Bytes text);

// Groups of four alphabet characters, sixteen characters at a time, up to the first group with
// another byte; returns how many. Leaves the last group of `groups` to others: its three bytes and
// the spare byte take the four bytes each wide store writes past its row.
__attribute__((target("ssse3"))) int64_t decodeGroups(const uint8_t* p, const uint8_t* end,
                                                      int64_t groups, uint8_t* out);

// All the whole groups of data that holds alphabet characters alone, at least four of them.
__attribute__((target("ssse3"))) void decodeWholeGroups(const uint8_t* p, int64_t groups,
                                                        uint8_t* out);

}  // namespace quilvane::ssse3
#endif
