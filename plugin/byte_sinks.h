#pragma once
// The two ends a codec walk writes to: the sizing pass counts, the filling pass stores. Running the
// same walk over both keeps the two passes in exact agreement.

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <span>

namespace quilvane {

// A code of up to three output bytes packed with its length in the top byte.
using Code = uint32_t;

constexpr Code literalCode(uint8_t b) {
    return Code{b} | Code{1} << 24;
}

inline constexpr char upperHexDigits[] = "0123456789ABCDEF";

constexpr Code escapeCode(char marker, uint8_t b) {
    return Code{static_cast<uint8_t>(marker)} |
           Code{static_cast<uint8_t>(upperHexDigits[b >> 4])} << 8 |
           Code{static_cast<uint8_t>(upperHexDigits[b & 15])} << 16 | Code{3} << 24;
}

constexpr int codeLength(Code code) {
    return static_cast<int>(code >> 24);
}

// The value of a hexadecimal digit of either case; any other byte contributes no bits.
inline constexpr std::array<uint8_t, 256> hexValue = [] {
    std::array<uint8_t, 256> table{};
    for (int i = 0; i < 10; ++i) table['0' + i] = static_cast<uint8_t>(i);
    for (int i = 0; i < 6; ++i) {
        table['A' + i] = static_cast<uint8_t>(10 + i);
        table['a' + i] = static_cast<uint8_t>(10 + i);
    }
    return table;
}();

// The byte of a two-digit escape; a digit past the end is given as 0, which is not a digit.
constexpr uint8_t escapedByte(uint8_t high, uint8_t low) {
    return static_cast<uint8_t>(hexValue[high] << 4 | hexValue[low]);
}

class CountingSink {
  public:
    void put(uint8_t) { ++count_; }
    void put(const uint8_t*, size_t length) { count_ += static_cast<int64_t>(length); }
    void putCode(Code code) { count_ += codeLength(code); }
    // A code whose fourth stored byte may land on output still to be written.
    void putCodeWide(Code code) { putCode(code); }
    // Codes laid out ahead of time: only their total length counts.
    template <size_t Words>
    void putCodesAt(const Code*, const uint8_t*, const std::array<uint64_t, Words>&, size_t,
                    size_t length) {
        count_ += static_cast<int64_t>(length);
    }
    int64_t count() const { return count_; }

  private:
    int64_t count_ = 0;
};

class WritingSink {
  public:
    explicit WritingSink(uint8_t* out) : out_(out) {}
    void put(uint8_t b) { *out_++ = b; }
    void put(const uint8_t* bytes, size_t length) {
        std::memcpy(out_, bytes, length);
        out_ += length;
    }
    void putCode(Code code) {
        for (int i = 0; i < codeLength(code); ++i) out_[i] = static_cast<uint8_t>(code >> (8 * i));
        out_ += codeLength(code);
    }
    // Stores four bytes at once: only where at least three more output bytes follow this code.
    void putCodeWide(Code code) {
        static_assert(std::endian::native == std::endian::little);
        std::memcpy(out_, &code, sizeof code);
        out_ += codeLength(code);
    }
    // The codes of count bytes, each stored four bytes wide at its own offset, so no store waits
    // for the one before it. Each word of offsets places eight codes; codes past count land on
    // output still to be written, which must reach three bytes a code and one more.
    template <size_t Words>
    void putCodesAt(const Code* codes, const uint8_t* bytes,
                    const std::array<uint64_t, Words>& offsets, size_t count, size_t length) {
        for (size_t w = 0; w < Words && 8 * w < count; ++w) {
            putEightCodesAt(codes, bytes + 8 * w, offsets[w]);
        }
        out_ += length;
    }

  private:
    void putEightCodesAt(const Code* codes, const uint8_t* bytes, uint64_t offsets) {
#pragma GCC unroll 8
        for (size_t k = 0; k < 8; ++k) {
            std::memcpy(out_ + ((offsets >> (8 * k)) & 0xFF), &codes[bytes[k]], sizeof(Code));
        }
    }

    uint8_t* out_;
};

// The two passes of a walk, a function object walk(text, sink) over either sink.
template <class Walk>
int64_t measureWalk(std::span<const uint8_t> text) {
    CountingSink counter;
    Walk{}(text, counter);
    return counter.count();
}

template <class Walk>
void fillWalk(std::span<const uint8_t> text, uint8_t* out, int64_t) {
    WritingSink writer(out);
    Walk{}(text, writer);
}

}  // namespace quilvane
