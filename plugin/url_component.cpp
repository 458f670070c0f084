// Percent-encoding of a URL component: letters, digits, "-", "_" and "." stay, every other byte
// becomes "%" and two uppercase hexadecimal digits. The decoder turns each "%" group back into one
// byte and copies everything else ("+" included) unchanged.

#include <array>

#include "byte_runs.h"
#include "byte_sinks.h"
#include "codec_frame.h"
#include "codec_methods.h"
#include "kernel_choice.h"
#include "ssse3/url_component_ssse3.h"
#include "url_unreserved.h"

namespace quilvane {
namespace {

inline constexpr std::array<Code, 256> urlCode = [] {
    std::array<Code, 256> table{};
    for (int b = 0; b < 256; ++b) {
        auto byte = static_cast<uint8_t>(b);
        table[b] = inUrlUnreservedSet(byte) ? literalCode(byte) : escapeCode('%', byte);
    }
    return table;
}();

struct Unreserved {
    static Vector lanes(Vector v) {
        return asMask((v - 'A' < 26) | (v - 'a' < 26) | (v - '0' < 10) | (v == '-') | (v == '_') |
                      (v == '.'));
    }
    static bool byte(uint8_t b) { return inUrlUnreservedSet(b); }
};

struct URLEncoding {
    template <class Sink>
    void operator()(Bytes text, Sink& out) const {
        size_t i = 0;
        // Every input byte gives at least one output byte, so with three more to come a four-byte
        // store stays inside the result.
        for (; i + 3 < text.size(); ++i) out.putCodeWide(urlCode[text[i]]);
        for (; i < text.size(); ++i) out.putCode(urlCode[text[i]]);
    }
};

size_t countEscaped(Bytes text) {
#ifdef QUILVANE_X86_KERNELS
    if (ssse3KernelsRun) return ssse3::countEscaped(text);
#endif
    return text.size() - countInClass<Unreserved>(text.data(), text.size());
}

int64_t encodedLength(Bytes text) {
    return static_cast<int64_t>(text.size() + 2 * countEscaped(text));
}

void fillEncoded(Bytes text, uint8_t* out, int64_t) {
    size_t done = 0;
#ifdef QUILVANE_X86_KERNELS
    if (ssse3KernelsRun) done = ssse3::encodeBlocks(text, out);
#endif
    WritingSink writer(out);
    URLEncoding{}(text.subspan(done), writer);
}

struct URLDecoding {
    template <class Sink>
    void operator()(Bytes text, Sink& out) const {
        const size_t size = text.size();
        size_t p = 0;
        // Where both digits exist, without branches: "%" and other bytes mix unpredictably.
        while (p + 2 < size) {
            const uint8_t b = text[p];
            const bool group = b == '%';
            const uint8_t escaped = escapedByte(text[p + 1], text[p + 2]);
            out.put(group ? escaped : b);
            p += group ? 3 : 1;
        }
        while (p < size) {
            const uint8_t b = text[p];
            if (b != '%') {
                out.put(b);
                ++p;
                continue;
            }
            out.put(escapedByte(p + 1 < size ? text[p + 1] : 0, 0));
            p += 3;
        }
    }
};

}  // namespace

extern "C" FrameworkString* EncodeURLComponent(FrameworkString* data) {
    return runEncoder(data, encodedLength, fillEncoded);
}

extern "C" FrameworkString* DecodeURLComponent(FrameworkString* data,
                                               const TextEncoding* encoding) {
    return runDecoder(data, encoding, measureWalk<URLDecoding>, fillWalk<URLDecoding>);
}

}  // namespace quilvane
