// Quoted-printable: printable bytes stay, "=" and two uppercase hexadecimal digits stand for any
// other byte, CR LF in the data stays a hard line break, and "=" CR LF breaks lines that would grow
// past 76 characters. The decoder undoes escapes and soft breaks and drops whitespace that ends a
// line.

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "byte_runs.h"
#include "byte_sinks.h"
#include "codec_frame.h"
#include "codec_methods.h"

namespace quilvane {
namespace {

constexpr uint8_t CR = 13;
constexpr uint8_t LF = 10;

constexpr bool isWhitespace(uint8_t b) {
    return b == ' ' || b == '\t';
}
constexpr bool isLineEnd(uint8_t b) {
    return b == CR || b == LF;
}
constexpr bool isLiteral(uint8_t b) {
    return b >= 0x21 && b <= 0x7E && b != '=';
}

// An escape starts only while column + 4 stays below 72; a line breaks once it holds more than
// maxColumn characters.
constexpr int32_t lastEscapeColumn = 67;
constexpr int32_t maxColumn = 74;

// The code of a byte (other than a CR that starts a hard break) by what follows it: whitespace is
// written as it stands only when more text follows on the same line.
constexpr std::array<Code, 256> codesFollowedBy(bool lineEnd) {
    std::array<Code, 256> table{};
    for (int b = 0; b < 256; ++b) {
        auto byte = static_cast<uint8_t>(b);
        bool plain = isLiteral(byte) || (isWhitespace(byte) && !lineEnd);
        table[b] = plain ? literalCode(byte) : escapeCode('=', byte);
    }
    return table;
}
inline constexpr std::array<Code, 256> codeBeforeText = codesFollowedBy(false);
inline constexpr std::array<Code, 256> codeBeforeLineEnd = codesFollowedBy(true);

inline constexpr std::array<bool, 256> lineEndTable = [] {
    std::array<bool, 256> table{};
    table[CR] = table[LF] = true;
    return table;
}();

template <class Sink>
void softBreak(Sink& out, int32_t& column) {
    out.put('=');
    out.put(CR);
    out.put(LF);
    column = 0;
}

inline constexpr std::array<uint8_t, 256> plainTable = [] {
    std::array<uint8_t, 256> table{};
    for (int b = 0; b < 256; ++b) {
        table[b] = isLiteral(static_cast<uint8_t>(b)) || isWhitespace(static_cast<uint8_t>(b));
    }
    return table;
}();

// Bytes written as they stand when more text follows on the line: printable ASCII but "=", space
// and tab.
struct Plain {
    static Vector lanes(Vector v) { return asMask(((v - 0x20 < 0x5F) & (v != '=')) | (v == '\t')); }
    static bool byte(uint8_t b) { return plainTable[b] != 0; }
};

// Mixed bytes end where four plain bytes in a row are worth copying as a run, or at a hard line
// break. Needs three bytes after i. The run is tested without branches: on mixed bytes the outcome
// is unpredictable.
[[gnu::always_inline]] inline bool mixedRunEnds(Bytes text, size_t i) {
    const bool plainRunAhead = (plainTable[text[i]] & plainTable[text[i + 1]] &
                                plainTable[text[i + 2]] & plainTable[text[i + 3]]) != 0;
    return plainRunAhead || (text[i] == CR && text[i + 1] == LF);
}

// What the walk does after the bytes a window laid out.
enum class AfterWindow : uint8_t { nextWindow, softBreak, fullRules };

// A window of 32 bytes, a random line's worth, worked on as four words of eight byte lanes.
constexpr size_t windowSize = 2 * vectorSize;
constexpr size_t windowWords = windowSize / 8;
using WindowWords = std::array<uint64_t, windowWords>;
constexpr uint64_t everyLane = 0x0101010101010101;

// One bit per lane, from the top bit of each, lane 0 lowest.
constexpr uint32_t laneBits(uint64_t lanes) {
    return static_cast<uint32_t>((((lanes >> 7) & everyLane) * 0x0102040810204080) >> 56);
}

// The window's bytes coded from codeBeforeText, their places found from running sums of code
// lengths instead of byte by byte. The window ends at the first byte that would start an escape
// past column 67 (a soft break goes before it), fill the line past maxColumn (it is written, then
// a soft break) or may need the full rules: a CR, space or tab before a line end. The byte after
// the window must exist.
struct WindowLayout {
    WindowWords offsets;  // where each code starts, from the window's first output byte
    size_t count;         // bytes laid out
    int32_t column;       // the column after them
    AfterWindow after;
};

struct WindowClasses {
    WindowWords escaped;
    WindowWords fullRules;
};

[[gnu::always_inline]] inline WindowClasses classifyWindow(const uint8_t* p) {
    WindowClasses classes;
#pragma GCC unroll 2
    for (size_t half = 0; half < 2; ++half) {
        const Vector v = loadVector(p + half * vectorSize);
        const Vector next = loadVector(p + half * vectorSize + 1);
        const Vector escaped = ~Plain::lanes(v);
        const Vector fullRules =
            asMask(((v == ' ') | (v == '\t') | (v == CR)) & ((next == CR) | (next == LF)));
        std::memcpy(&classes.escaped[2 * half], &escaped, vectorSize);
        std::memcpy(&classes.fullRules[2 * half], &fullRules, vectorSize);
    }
    return classes;
}

[[gnu::always_inline]] inline WindowLayout layOutWindow(const uint8_t* p, int32_t column) {
    const WindowClasses classes = classifyWindow(p);
    // Each word's own running sums first, then the totals of the words before it, so the words
    // don't wait on one another. Sums stay below 128.
    WindowWords lengths, sums;
#pragma GCC unroll 4
    for (size_t w = 0; w < windowWords; ++w) {
        lengths[w] = everyLane + (classes.escaped[w] & 2 * everyLane);
        sums[w] = lengths[w] * everyLane;
    }
    uint64_t before = 0;
#pragma GCC unroll 4
    for (size_t w = 0; w < windowWords; ++w) {
        const uint64_t total = sums[w] >> 56;
        sums[w] += before * everyLane;
        before += total;
    }
    // A lane's top bit is set once its code ends past maxColumn; an escape ending past column 70
    // started past 67.
    const uint64_t pastLineBias =
        static_cast<uint64_t>(0x80 - (maxColumn + 1) + column) * everyLane;
    WindowLayout layout{};
    uint64_t stops = uint64_t{1} << windowSize;
    uint32_t escapedBits = 0;
    uint32_t fullRuleBits = 0;
#pragma GCC unroll 4
    for (size_t w = 0; w < windowWords; ++w) {
        const uint64_t ends = sums[w] + (classes.escaped[w] & 4 * everyLane) + pastLineBias;
        stops |= uint64_t{laneBits(ends | classes.fullRules[w])} << (8 * w);
        escapedBits |= laneBits(classes.escaped[w]) << (8 * w);
        fullRuleBits |= laneBits(classes.fullRules[w]) << (8 * w);
        layout.offsets[w] = sums[w] - lengths[w];
    }
    size_t count = static_cast<size_t>(std::countr_zero(stops));
    layout.after = AfterWindow::nextWindow;
    if (count < windowSize && (fullRuleBits >> count & 1)) {
        layout.after = AfterWindow::fullRules;
    } else if (count < windowSize) {
        layout.after = AfterWindow::softBreak;
        if (!(escapedBits >> count & 1)) ++count;
    }
    layout.count = count;
    layout.column = column;
    if (count > 0) {
        const size_t last = count - 1;
        layout.column += static_cast<int32_t>(sums[last / 8] >> (8 * (last % 8)) & 0xFF);
    }
    return layout;
}

struct QuotedPrintableEncoding {
    template <class Sink>
    void operator()(Bytes text, Sink& out) const {
        const size_t size = text.size();
        int32_t column = 0;
        size_t i = 0;
        while (i < size) {
            copyPlainRun(text, i, column, out);
            encodeWindows(text, i, column, out);
            // Up to column 67 no byte needs a break before or after it; with three more bytes to
            // come the four-byte store stays inside the result.
            for (; column <= lastEscapeColumn && i + 3 < size; ++i) {
                if (mixedRunEnds(text, i)) break;
                const uint8_t next = text[i + 1];
                Code code = (lineEndTable[next] ? codeBeforeLineEnd : codeBeforeText)[text[i]];
                out.putCodeWide(code);
                column += codeLength(code);
            }
            if (i < size) step(text, i, column, out);
        }
    }

    // Mixed bytes a window at a time. With 97 bytes to come the window's stores, at most three
    // bytes a byte and one wide store, stay on output still to be written.
    template <class Sink>
    static void encodeWindows(Bytes text, size_t& i, int32_t& column, Sink& out) {
        constexpr size_t windowReach = 3 * windowSize + 1;
        while (text.size() - i >= windowReach && !mixedRunEnds(text, i)) {
            const uint8_t* window = text.data() + i;
            const WindowLayout layout = layOutWindow(window, column);
            out.putCodesAt(codeBeforeText.data(), window, layout.offsets, layout.count,
                           static_cast<size_t>(layout.column - column));
            column = layout.column;
            i += layout.count;
            if (layout.after == AfterWindow::fullRules) return;
            if (layout.after == AfterWindow::softBreak) softBreak(out, column);
        }
    }

    // Plain bytes written whole, as far as the line has room without a break. The last byte of the
    // text, and whitespace before a line end, are left to the full rules.
    template <class Sink>
    static void copyPlainRun(Bytes text, size_t& i, int32_t& column, Sink& out) {
        if (column >= maxColumn || i + 1 >= text.size()) return;
        size_t run = runLength<Plain>(text.data() + i, text.size() - 1 - i);
        if (run > 0 && isWhitespace(text[i + run - 1]) && isLineEnd(text[i + run])) --run;
        if (run == 0) return;
        run = std::min(run, static_cast<size_t>(maxColumn - column));
        out.put(text.data() + i, run);
        column += static_cast<int32_t>(run);
        i += run;
    }

    // One byte (or one hard line break) by the full rules, then the line length check.
    template <class Sink>
    static void step(Bytes text, size_t& i, int32_t& column, Sink& out) {
        const bool hasNext = i + 1 < text.size();
        const uint8_t b = text[i];
        if (b == CR && hasNext && text[i + 1] == LF) {
            out.put(CR);
            out.put(LF);
            column = 0;
            i += 2;
        } else {
            bool beforeLineEnd = !hasNext || isLineEnd(text[i + 1]);
            Code code = (beforeLineEnd ? codeBeforeLineEnd : codeBeforeText)[b];
            if (codeLength(code) == 3 && column > lastEscapeColumn) softBreak(out, column);
            out.putCode(code);
            column += codeLength(code);
            ++i;
        }
        if (column > maxColumn && i < text.size()) softBreak(out, column);
    }
};

enum class DecodeClass : uint8_t { ordinary, equals, whitespace, lineEnd };

inline constexpr std::array<DecodeClass, 256> decodeClass = [] {
    std::array<DecodeClass, 256> table{};
    table['='] = DecodeClass::equals;
    table[' '] = table['\t'] = DecodeClass::whitespace;
    table[CR] = table[LF] = DecodeClass::lineEnd;
    return table;
}();

struct QuotedPrintableDecoding {
    template <class Sink>
    void operator()(Bytes text, Sink& out) const {
        constexpr size_t none = SIZE_MAX;
        const size_t size = text.size();
        size_t pending = none;  // start of a run of spaces and tabs not yet written
        auto writePending = [&](size_t p) {
            if (pending == none) return;
            for (size_t w = pending; w < p; ++w) out.put(text[w]);
            pending = none;
        };
        size_t p = 0;
        while (p < size) {
            const uint8_t b = text[p];
            switch (decodeClass[b]) {
                case DecodeClass::ordinary:
                    writePending(p);
                    out.put(b);
                    ++p;
                    break;
                case DecodeClass::equals: {
                    writePending(p);
                    const uint8_t first = p + 1 < size ? text[p + 1] : 0;
                    const uint8_t second = p + 2 < size ? text[p + 2] : 0;
                    if (first == CR && second == LF) {
                        p += 3;
                    } else if (isLineEnd(first)) {
                        p += 2;
                    } else {
                        out.put(escapedByte(first, second));
                        p += 3;
                    }
                    break;
                }
                case DecodeClass::whitespace:
                    if (pending == none) pending = p;
                    ++p;
                    break;
                case DecodeClass::lineEnd:
                    pending = none;
                    out.put(b);
                    ++p;
                    break;
            }
        }
    }
};

}  // namespace

extern "C" FrameworkString* EncodeQuotedPrintable(FrameworkString* data) {
    return runEncoder(data, measureWalk<QuotedPrintableEncoding>,
                      fillWalk<QuotedPrintableEncoding>);
}

extern "C" FrameworkString* DecodeQuotedPrintable(FrameworkString* data,
                                                  const TextEncoding* encoding) {
    return runDecoder(data, encoding, measureWalk<QuotedPrintableDecoding>,
                      fillWalk<QuotedPrintableDecoding>);
}

}  // namespace quilvane
