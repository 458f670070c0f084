// The URL encoder's kernels for SSSE3: sixteen bytes at a time.

#include "url_component_ssse3.h"

#ifdef QUILVANE_X86_KERNELS
#include <immintrin.h>

#include <algorithm>
#include <array>
#include <bit>

#include "../byte_runs.h"
#include "../byte_sinks.h"
#include "../url_unreserved.h"

namespace quilvane::ssse3 {
namespace {

// Each group of eight bytes is written with shuffles of two vectors: the two hexadecimal digits of
// each byte, and the byte itself or "%". Which of the eight are escaped picks the shuffles for the
// first sixteen output bytes and for up to eight more.
constexpr size_t groupSize = 8;
constexpr uint8_t noLane = 0x80;  // the shuffle clears the byte

struct GroupShuffles {
    std::array<uint8_t, vectorSize> headFromDigits, headFromFirst, tailFromDigits, tailFromFirst;
};

inline constexpr auto groupShuffles = [] {
    std::array<GroupShuffles, 1 << groupSize> table{};
    for (size_t escaped = 0; escaped < table.size(); ++escaped) {
        std::array<uint8_t, 2 * vectorSize> fromDigits, fromFirst;
        fromDigits.fill(noLane);
        fromFirst.fill(noLane);
        size_t out = 0;
        for (uint8_t lane = 0; lane < groupSize; ++lane) {
            fromFirst[out++] = lane;
            if (escaped >> lane & 1) {
                fromDigits[out++] = 2 * lane;
                fromDigits[out++] = 2 * lane + 1;
            }
        }
        GroupShuffles& shuffles = table[escaped];
        std::copy_n(fromDigits.begin(), vectorSize, shuffles.headFromDigits.begin());
        std::copy_n(fromFirst.begin(), vectorSize, shuffles.headFromFirst.begin());
        std::copy_n(fromDigits.begin() + vectorSize, vectorSize, shuffles.tailFromDigits.begin());
        std::copy_n(fromFirst.begin() + vectorSize, vectorSize, shuffles.tailFromFirst.begin());
    }
    return table;
}();

inline constexpr auto groupLengths = [] {
    std::array<uint8_t, 1 << groupSize> lengths{};
    for (size_t escaped = 0; escaped < lengths.size(); ++escaped) {
        lengths[escaped] = static_cast<uint8_t>(groupSize + 2 * std::popcount(escaped));
    }
    return lengths;
}();

__attribute__((target("ssse3"))) __m128i shuffled(
    __m128i digits, __m128i first, const std::array<uint8_t, vectorSize>& fromDigits,
    const std::array<uint8_t, vectorSize>& fromFirst) {
    const auto load = [](const auto& lanes) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(lanes.data()));
    };
    return _mm_or_si128(_mm_shuffle_epi8(digits, load(fromDigits)),
                        _mm_shuffle_epi8(first, load(fromFirst)));
}

// Stores 24 bytes: sixteen more output bytes must follow the group's codes.
__attribute__((target("ssse3"))) uint8_t* putGroup(uint8_t* out, __m128i digits, __m128i first,
                                                   unsigned escaped) {
    const GroupShuffles& shuffles = groupShuffles[escaped];
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out),
                     shuffled(digits, first, shuffles.headFromDigits, shuffles.headFromFirst));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + vectorSize),
                     shuffled(digits, first, shuffles.tailFromDigits, shuffles.tailFromFirst));
    return out + groupLengths[escaped];
}

// Escaped bytes by the two nibbles of each byte: a bit for each row of sixteen that holds
// unreserved bytes, set for the columns where that row's unreserved bytes are; a byte is escaped
// where the two share no bit. A byte of 0x80 or more reads a zero column (the shuffle clears it).
struct EscapedByNibbles {
    __attribute__((target("ssse3"))) static Vector lanes(Vector bytes) {
        const auto v = reinterpret_cast<__m128i>(bytes);
        const __m128i rows =
            _mm_setr_epi8(0, 0, 0x01, 0x02, 0x04, 0x08, 0x04, 0x10, 0, 0, 0, 0, 0, 0, 0, 0);
        const __m128i columns = _mm_setr_epi8(0x1A, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E,
                                              0x1E, 0x1C, 0x04, 0x04, 0x05, 0x05, 0x0C);
        const __m128i row = _mm_and_si128(_mm_srli_epi16(v, 4), _mm_set1_epi8(0x0F));
        const __m128i members =
            _mm_and_si128(_mm_shuffle_epi8(rows, row), _mm_shuffle_epi8(columns, v));
        return reinterpret_cast<Vector>(_mm_cmpeq_epi8(members, _mm_setzero_si128()));
    }
    static bool byte(uint8_t b) { return !inUrlUnreservedSet(b); }
};

// Sixteen bytes as two groups.
__attribute__((target("ssse3"))) uint8_t* encodeBlock(const uint8_t* in, uint8_t* out) {
    const Vector bytes = loadVector(in);
    const auto escaped = reinterpret_cast<__m128i>(EscapedByNibbles::lanes(bytes));
    const auto v = reinterpret_cast<__m128i>(bytes);
    const __m128i nibble = _mm_set1_epi8(0x0F);
    const __m128i digits = _mm_loadu_si128(reinterpret_cast<const __m128i*>(upperHexDigits));
    const __m128i high = _mm_shuffle_epi8(digits, _mm_and_si128(_mm_srli_epi16(v, 4), nibble));
    const __m128i low = _mm_shuffle_epi8(digits, _mm_and_si128(v, nibble));
    const __m128i first =
        _mm_or_si128(_mm_andnot_si128(escaped, v), _mm_and_si128(escaped, _mm_set1_epi8('%')));
    const auto escapedLanes = static_cast<unsigned>(_mm_movemask_epi8(escaped));
    out = putGroup(out, _mm_unpacklo_epi8(high, low), first, escapedLanes & 0xFF);
    return putGroup(out, _mm_unpackhi_epi8(high, low), _mm_srli_si128(first, groupSize),
                    escapedLanes >> groupSize);
}

}  // namespace

__attribute__((target("ssse3"))) size_t encodeBlocks(Bytes text, uint8_t*& out) {
    constexpr size_t blockReach = 2 * vectorSize;
    uint8_t* end = out;
    size_t i = 0;
    for (; text.size() - i >= blockReach; i += vectorSize) end = encodeBlock(text.data() + i, end);
    out = end;
    return i;
}

__attribute__((target("ssse3"), flatten)) size_t countEscaped(Bytes text) {
    return countInClass<EscapedByNibbles>(text.data(), text.size());
}

}  // namespace quilvane::ssse3
#endif
