// The Base64 kernels for SSSE3: sixteen characters at a time.

#include "base64_ssse3.h"

#ifdef QUILVANE_X86_KERNELS
#include <immintrin.h>

#include <algorithm>
#include <bit>
#include <cstring>

namespace quilvane::ssse3 {
namespace {

// Twelve bytes (of a sixteen-byte load) to sixteen characters. Each group's bytes are laid out so
// that every 16-bit half holds two of its 6-bit fields, which two multiplies move into bytes of
// their own; each value then gets the offset of its range of the alphabet.
__attribute__((target("ssse3"))) __m128i encodeRow(__m128i bytes) {
    const __m128i spread =
        _mm_shuffle_epi8(bytes, _mm_setr_epi8(1, 0, 2, 1, 4, 3, 5, 4, 7, 6, 8, 7, 10, 9, 11, 10));
    const __m128i firstAndThird = _mm_mulhi_epu16(_mm_and_si128(spread, _mm_set1_epi32(0x0FC0FC00)),
                                                  _mm_set1_epi32(0x04000040));
    const __m128i secondAndFourth = _mm_mullo_epi16(
        _mm_and_si128(spread, _mm_set1_epi32(0x003F03F0)), _mm_set1_epi32(0x01000010));
    const __m128i values = _mm_or_si128(firstAndThird, secondAndFourth);
    // Range index: 0 small letters, 1..10 digits, 11 "+", 12 "/", 13 capitals.
    const __m128i pastCapitals = _mm_cmpgt_epi8(values, _mm_set1_epi8(25));
    const __m128i range = _mm_or_si128(_mm_subs_epu8(values, _mm_set1_epi8(51)),
                                       _mm_andnot_si128(pastCapitals, _mm_set1_epi8(13)));
    const __m128i offsets =
        _mm_setr_epi8('a' - 26, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52,
                      '0' - 52, '0' - 52, '0' - 52, '0' - 52, '+' - 62, '/' - 63, 'A', 0, 0);
    return _mm_add_epi8(values, _mm_shuffle_epi8(offsets, range));
}

}  // namespace

__attribute__((target("ssse3"))) void encodeRows(const uint8_t* in, size_t rows, uint8_t* out) {
    for (; rows > 0; --rows, in += 12, out += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), encodeRow(bytes));
    }
}

namespace {

// Bit i set when byte i is an alphabet character. A byte's high nibble picks its row of the ASCII
// table and that row's flag (0x10 for rows without alphabet characters); its low nibble picks the
// flags of the rows where that column is not in the alphabet.
__attribute__((target("ssse3"))) int alphabetLanes(__m128i characters) {
    const __m128i row = _mm_and_si128(_mm_srli_epi32(characters, 4), _mm_set1_epi8(0x0F));
    const __m128i column = _mm_and_si128(characters, _mm_set1_epi8(0x0F));
    const __m128i rowFlag =
        _mm_shuffle_epi8(_mm_setr_epi8(0x10, 0x10, 0x01, 0x02, 0x04, 0x08, 0x04, 0x08, 0x10, 0x10,
                                       0x10, 0x10, 0x10, 0x10, 0x10, 0x10),
                         row);
    const __m128i rowsOutside =
        _mm_shuffle_epi8(_mm_setr_epi8(0x15, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11,
                                       0x13, 0x1A, 0x1B, 0x1B, 0x1B, 0x1A),
                         column);
    const __m128i outside = _mm_and_si128(rowFlag, rowsOutside);
    return _mm_movemask_epi8(_mm_cmpeq_epi8(outside, _mm_setzero_si128()));
}

__attribute__((target("ssse3"))) __m128i loadRow(const uint8_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

__attribute__((target("ssse3"))) uint32_t padLanes(__m128i row) {
    return uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(row, _mm_set1_epi8('='))));
}

// Bit i set for each "=" among bytes p[0..31], and for each alphabet character.
struct Lanes {
    uint32_t pads;
    uint32_t alphabet;
};

__attribute__((target("ssse3"))) Lanes classifyTwoRows(const uint8_t* p) {
    const __m128i first = loadRow(p);
    const __m128i second = loadRow(p + 16);
    return {padLanes(first) | padLanes(second) << 16,
            uint32_t(alphabetLanes(first)) | uint32_t(alphabetLanes(second)) << 16};
}

}  // namespace

// Reads 32 bytes at a time; a last piece short of 32 is read from a load that ends with the text,
// its lanes already seen shifted out.
__attribute__((target("ssse3,popcnt"))) DecoderInput measureInput(Bytes text) {
    size_t characters = 0;
    for (size_t i = 0; i < text.size(); i += 32) {
        const size_t start = std::min(i, text.size() - 32);
        const Lanes lanes = classifyTwoRows(text.data() + start);
        const size_t seen = i - start;
        const uint32_t pads = lanes.pads >> seen;
        const uint32_t alphabet = lanes.alphabet >> seen;
        if (pads != 0) {
            const int beforePad = std::countr_zero(pads);
            return {text.first(i + beforePad),
                    characters + std::popcount(alphabet & ((1u << beforePad) - 1))};
        }
        characters += std::popcount(alphabet);
    }
    return {text, characters};
}

namespace {

// Sixteen alphabet characters to twelve bytes. The offset to each value depends on the character's
// row of the ASCII table alone, but for "/" beside "+". The last four bytes are 0.
__attribute__((target("ssse3"))) __m128i decodeRow(__m128i characters) {
    const __m128i row = _mm_and_si128(_mm_srli_epi32(characters, 4), _mm_set1_epi8(0x0F));
    const __m128i slash = _mm_cmpeq_epi8(characters, _mm_set1_epi8('/'));
    const __m128i offsets = _mm_setr_epi8(0, 63 - '/', 62 - '+', 52 - '0', 0 - 'A', 0 - 'A',
                                          26 - 'a', 26 - 'a', 0, 0, 0, 0, 0, 0, 0, 0);
    const __m128i values =
        _mm_add_epi8(characters, _mm_shuffle_epi8(offsets, _mm_add_epi8(row, slash)));
    // Pairs of values to 12 bits, pairs of those to a 24-bit group per 32-bit lane, then the three
    // bytes of each lane first byte first.
    const __m128i pairs = _mm_maddubs_epi16(values, _mm_set1_epi32(0x01400140));
    const __m128i groups = _mm_madd_epi16(pairs, _mm_set1_epi32(0x00011000));
    return _mm_shuffle_epi8(groups,
                            _mm_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1));
}

__attribute__((target("ssse3"))) void storeWide(__m128i bytes, uint8_t* out) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), bytes);
}

__attribute__((target("ssse3"))) void storeTwelve(__m128i bytes, uint8_t* out) {
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), bytes);
    const uint32_t last = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(bytes, 8)));
    std::memcpy(out + 8, &last, sizeof last);
}

}  // namespace

__attribute__((target("ssse3"))) int64_t decodeGroups(const uint8_t* p, const uint8_t* end,
                                                      int64_t groups, uint8_t* out) {
    int64_t done = 0;
    for (; groups - done > 4 && end - p >= 16; done += 4, p += 16, out += 12) {
        const __m128i characters = loadRow(p);
        const unsigned lanes = unsigned(alphabetLanes(characters));
        if (lanes != 0xFFFF) {
            // The groups before the first other byte; the rest of the row is written over later.
            const int whole = std::countr_one(lanes) / 4;
            if (whole > 0) storeWide(decodeRow(characters), out);
            return done + whole;
        }
        storeWide(decodeRow(characters), out);
    }
    return done;
}

// Rows while a fifth group is still to come, then a row ending with the last group and stored
// exactly, which writes over bytes of the row before with the same values.
__attribute__((target("ssse3"))) void decodeWholeGroups(const uint8_t* p, int64_t groups,
                                                        uint8_t* out) {
    for (; groups > 4; groups -= 4, p += 16, out += 12) storeWide(decodeRow(loadRow(p)), out);
    const int64_t back = 4 - groups;
    storeTwelve(decodeRow(loadRow(p - 4 * back)), out - 3 * back);
}

}  // namespace quilvane::ssse3
#endif
