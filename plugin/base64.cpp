// Base64 with the standard alphabet, "=" padding and CR LF after every line of lineWrap characters
// (rounded down to a multiple of 4; none when that is 0 or less). The decoder takes the alphabet
// characters up to the first "=", skips every other byte and pads the last group itself.

#include <algorithm>
#include <array>
#include <cstring>

#include "base64_decoder_input.h"
#include "byte_runs.h"
#include "codec_frame.h"
#include "codec_methods.h"
#include "kernel_choice.h"
#include "ssse3/base64_ssse3.h"

namespace quilvane {
namespace {

constexpr uint8_t CR = 13;
constexpr uint8_t LF = 10;
constexpr char base64Alphabet[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr uint8_t notInAlphabet = 255;

inline constexpr std::array<uint8_t, 256> base64DecodeTable = [] {
    std::array<uint8_t, 256> table{};
    table.fill(notInAlphabet);
    for (uint8_t value = 0; value < 64; ++value)
        table[static_cast<uint8_t>(base64Alphabet[value])] = value;
    return table;
}();

// ---- Encoding

// The two characters of each 12-bit half of a group, first character in the low byte.
inline constexpr std::array<uint16_t, 4096> characterPairs = [] {
    std::array<uint16_t, 4096> table{};
    for (int bits = 0; bits < 4096; ++bits) {
        table[bits] = static_cast<uint16_t>(static_cast<uint8_t>(base64Alphabet[bits >> 6]) |
                                            static_cast<uint8_t>(base64Alphabet[bits & 63]) << 8);
    }
    return table;
}();

constexpr int32_t lineLength(int32_t lineWrap) {
    return lineWrap - (lineWrap & 3);
}

int64_t encodedLength(Bytes text, int32_t width) {
    const int64_t characters = (static_cast<int64_t>(text.size()) + 2) / 3 * 4;
    return width > 0 ? characters + characters / width * 2 : characters;
}

uint32_t groupCharacters(uint32_t bits) {
    return characterPairs[bits >> 12] | uint32_t{characterPairs[bits & 0xFFF]} << 16;
}

// Full groups; two at a time from one eight-byte load while the input reaches that far.
uint8_t* encodeGroups(const uint8_t* in, const uint8_t* inEnd, size_t groups, uint8_t* out) {
#ifdef QUILVANE_X86_KERNELS
    // Each row reads sixteen bytes for its twelve.
    const size_t rowsInInput = inEnd - in >= 16 ? static_cast<size_t>(inEnd - in - 4) / 12 : 0;
    if (const size_t rows = std::min(groups / 4, rowsInInput); ssse3KernelsRun && rows > 0) {
        ssse3::encodeRows(in, rows, out);
        in += 12 * rows;
        out += 16 * rows;
        groups -= 4 * rows;
    }
#endif
    for (; groups >= 2 && inEnd - in >= 8; groups -= 2, in += 6, out += 8) {
        uint64_t bytes;
        std::memcpy(&bytes, in, 8);
        bytes = __builtin_bswap64(bytes);
        const uint64_t characters = groupCharacters(static_cast<uint32_t>(bytes >> 40)) |
                                    uint64_t{groupCharacters((bytes >> 16) & 0xFFFFFF)} << 32;
        std::memcpy(out, &characters, 8);
    }
    for (; groups > 0; --groups, in += 3, out += 4) {
        const uint32_t characters =
            groupCharacters(uint32_t{in[0]} << 16 | uint32_t{in[1]} << 8 | in[2]);
        std::memcpy(out, &characters, 4);
    }
    return out;
}

// The last group of one or two bytes, padded with "=".
uint8_t* encodePartialGroup(const uint8_t* in, size_t remaining, uint8_t* out) {
    uint8_t b0 = in[0];
    uint8_t b1 = remaining > 1 ? in[1] : 0;
    out[0] = static_cast<uint8_t>(base64Alphabet[b0 >> 2]);
    out[1] = static_cast<uint8_t>(base64Alphabet[(b0 & 3) << 4 | b1 >> 4]);
    out[2] = remaining > 1 ? static_cast<uint8_t>(base64Alphabet[(b1 & 15) << 2]) : '=';
    out[3] = '=';
    return out + 4;
}

void fillEncoded(Bytes text, uint8_t* out, int32_t width) {
    const size_t groupsPerLine = width > 0 ? static_cast<size_t>(width / 4) : SIZE_MAX;
    size_t groupsOnLine = 0;
    auto endGroup = [&](size_t groups) {
        groupsOnLine += groups;
        if (groupsOnLine == groupsPerLine) {
            *out++ = CR;
            *out++ = LF;
            groupsOnLine = 0;
        }
    };
    const uint8_t* in = text.data();
    size_t fullGroups = text.size() / 3;
    while (fullGroups > 0) {
        size_t run = std::min(fullGroups, groupsPerLine - groupsOnLine);
        out = encodeGroups(in, text.data() + text.size(), run, out);
        in += 3 * run;
        fullGroups -= run;
        endGroup(run);
    }
    if (size_t remaining = text.size() % 3) {
        out = encodePartialGroup(in, remaining, out);
        endGroup(1);
    }
    *out = 0;  // into the spare byte after the text
}

// ---- Decoding

// Only what comes before the first "=" is data.
Bytes dataBeforePad(Bytes text) {
    if (text.empty()) return text;
    const void* pad = std::memchr(text.data(), '=', text.size());
    return pad ? text.first(static_cast<size_t>(static_cast<const uint8_t*>(pad) - text.data()))
               : text;
}

struct Alphabet {
    static Vector lanes(Vector v) {
        // Setting bit 5 takes capitals to small letters and nothing else into that range.
        return asMask(((v | 0x20) - 'a' < 26) | (v - '0' < 10) | (v == '+') | (v == '/'));
    }
    static bool byte(uint8_t b) { return base64DecodeTable[b] != notInAlphabet; }
};

DecoderInput measureInput(Bytes text) {
#ifdef QUILVANE_X86_KERNELS
    if (ssse3KernelsRun && text.size() >= 32) return ssse3::measureInput(text);
#endif
    const Bytes data = dataBeforePad(text);
    return {data, countInClass<Alphabet>(data.data(), data.size())};
}

// The bits of the next `count` alphabet characters from p on, skipping every other byte; missing
// ones count as zero bits.
uint32_t gather(const uint8_t*& p, const uint8_t* end, int count) {
    uint32_t bits = 0;
    for (int taken = 0; taken < count && p < end; ++p) {
        const uint8_t value = base64DecodeTable[*p];
        if (value == notInAlphabet) continue;
        bits |= uint32_t{value} << (18 - 6 * taken++);
    }
    return bits;
}

// Four alphabet characters.
uint32_t groupBits(const uint8_t* p) {
    return uint32_t{base64DecodeTable[p[0]]} << 18 | uint32_t{base64DecodeTable[p[1]]} << 12 |
           uint32_t{base64DecodeTable[p[2]]} << 6 | base64DecodeTable[p[3]];
}

// Writes the three bytes of a group, and a fourth that the next group or the spare byte takes.
uint8_t* storeGroup(uint32_t bits, uint8_t* out) {
    const uint32_t bytes = __builtin_bswap32(bits << 8);
    std::memcpy(out, &bytes, 4);
    return out + 3;
}

using Words = uint32_t __attribute__((vector_size(16)));
using Doublewords = uint64_t __attribute__((vector_size(16)));

// Packs the values of sixteen characters into twelve bytes, two groups to a 64-bit lane. Writes
// fourteen bytes: only where two more output bytes follow.
void storeSixteenValues(Vector values, uint8_t* out) {
    const auto words = reinterpret_cast<Words>(values);
    const Words groups = (words & 0x3Fu) << 18 | (words >> 8 & 0x3Fu) << 12 |
                         (words >> 16 & 0x3Fu) << 6 | words >> 24;
    // Two groups as one 48-bit number, first group on top.
    const auto pairs = reinterpret_cast<Doublewords>(groups);
    const Doublewords packed = (pairs & 0xFFFFFFFFu) << 24 | pairs >> 32;
    uint64_t bytes[2];
    std::memcpy(bytes, &packed, sizeof bytes);
    for (int half = 0; half < 2; ++half) {
        const uint64_t ordered = __builtin_bswap64(bytes[half] << 16);
        std::memcpy(out + 6 * half, &ordered, 8);
    }
}

// Sixteen characters in a row, when all of them are alphabet characters: each range of the
// alphabet is moved to its values.
bool decodeSixteen(const uint8_t* p, uint8_t* out) {
    const Vector v = loadVector(p);
    const Vector upper = asMask(v - 'A' < 26);
    const Vector lower = asMask(v - 'a' < 26);
    const Vector digit = asMask(v - '0' < 10);
    const Vector plus = asMask(v == '+');
    const Vector slash = asMask(v == '/');
    const Vector member = upper | lower | digit | plus | slash;
    uint64_t halves[2];
    std::memcpy(halves, &member, sizeof halves);
    if ((halves[0] & halves[1]) != ~uint64_t{0}) return false;
    storeSixteenValues(
        v + ((upper & static_cast<uint8_t>(0 - 'A')) | (lower & static_cast<uint8_t>(26 - 'a')) |
             (digit & static_cast<uint8_t>(52 - '0')) | (plus & static_cast<uint8_t>(62 - '+')) |
             (slash & static_cast<uint8_t>(63 - '/'))),
        out);
    return true;
}

// Sixteen characters known to be alphabet characters: their order in ASCII ("+", "/", digits,
// capitals, small letters) lets thresholds pick each range's offset. Signed lanes suffice, as
// every alphabet character is below 0x80.
bool decodeSixteenKnown(const uint8_t* p, uint8_t* out) {
    using Signed = int8_t __attribute__((vector_size(16)));
    const auto v = reinterpret_cast<Signed>(loadVector(p));
    const Signed offset = static_cast<int8_t>(63 - '/') +
                          ((v > '/') & static_cast<int8_t>((52 - '0') - (63 - '/'))) +
                          ((v > '9') & static_cast<int8_t>((0 - 'A') - (52 - '0'))) +
                          ((v > 'Z') & static_cast<int8_t>((26 - 'a') - (0 - 'A'))) +
                          ((v == '+') & static_cast<int8_t>((62 - '+') - (63 - '/')));
    storeSixteenValues(reinterpret_cast<Vector>(v + offset), out);
    return true;
}

bool fourInAlphabet(const uint8_t* p) {
    return (base64DecodeTable[p[0]] | base64DecodeTable[p[1]] | base64DecodeTable[p[2]] |
            base64DecodeTable[p[3]]) != notInAlphabet;
}

// Groups of four alphabet characters, up to the first group with another byte or the fourth group
// from the end; returns how many. onlyAlphabet: the data holds nothing but alphabet characters.
int64_t decodeGroups(const uint8_t* p, const uint8_t* end, int64_t groups, uint8_t* out,
                     bool onlyAlphabet) {
#ifdef QUILVANE_X86_KERNELS
    if (ssse3KernelsRun) return ssse3::decodeGroups(p, end, groups, out);
#endif
    const auto decodeRow = onlyAlphabet ? decodeSixteenKnown : decodeSixteen;
    int64_t done = 0;
    // A fifth group still to come leaves room for the wide stores.
    for (; groups - done > 4 && end - p >= 16 && decodeRow(p, out); done += 4, p += 16, out += 12) {
    }
    return done;
}

// data: the text before the pad.
void fillDecoded(Bytes data, uint8_t* out, int64_t length, bool onlyAlphabet) {
    const uint8_t* p = data.data();
    const uint8_t* const end = p + data.size();
    uint8_t* const spare = out + length;
    int64_t groups = length / 3;
#ifdef QUILVANE_X86_KERNELS
    if (ssse3KernelsRun && onlyAlphabet && groups >= 4) {
        ssse3::decodeWholeGroups(p, groups, out);
        p += 4 * groups;
        out += 3 * groups;
        groups = 0;
    }
#endif
    while (groups > 0) {
        if (const int64_t done = decodeGroups(p, end, groups, out, onlyAlphabet)) {
            p += 4 * done;
            out += 3 * done;
            groups -= done;
            continue;
        }
        uint32_t bits;
        if (end - p >= 4 && fourInAlphabet(p)) {
            bits = groupBits(p);
            p += 4;
        } else {
            bits = gather(p, end, 4);
        }
        out = storeGroup(bits, out);
        --groups;
    }
    // A last group of two or three characters gives one or two bytes; the pad stops the rest.
    if (int tailBytes = static_cast<int>(length % 3)) {
        const uint32_t bits = gather(p, end, tailBytes + 1);
        out[0] = static_cast<uint8_t>(bits >> 16);
        if (tailBytes == 2) out[1] = static_cast<uint8_t>(bits >> 8);
    }
    if (length > 0) *spare = 0;
}

}  // namespace

extern "C" FrameworkString* EncodeBase64(FrameworkString* data, int32_t lineWrap) {
    const int32_t width = lineLength(lineWrap);
    return runEncoder(
        data, [width](Bytes text) { return encodedLength(text, width); },
        [width](Bytes text, uint8_t* out, int64_t) { fillEncoded(text, out, width); });
}

extern "C" FrameworkString* DecodeBase64(FrameworkString* data, const TextEncoding* encoding) {
    DecoderInput input{};
    return runDecoder(
        data, encoding,
        [&input](Bytes text) {
            input = measureInput(text);
            return static_cast<int64_t>(input.characters) * 3 / 4;
        },
        [&input](Bytes, uint8_t* out, int64_t length) {
            fillDecoded(input.data, out, length, input.characters == input.data.size());
        });
}

}  // namespace quilvane
