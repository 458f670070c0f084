#include <gtest/gtest.h>

#include "random_bytes.h"
#include "recording_host.h"

namespace plugintest {
namespace {

class QuotedPrintable : public ::testing::Test {
  protected:
    std::string encode(std::string_view data) {
        return host.run(Method::EncodeQuotedPrintable, data);
    }
    std::string decode(std::string_view text) {
        return host.run(Method::DecodeQuotedPrintable, text);
    }

    RecordingHost host;
};

std::string as(size_t count) {
    return std::string(count, 'a');
}

// The encoder's rules applied one byte at a time, with nothing looked up or laid out ahead.
std::string encodeByteByByte(const std::string& data) {
    std::string text;
    int column = 0;
    auto softBreak = [&] {
        text += "=\r\n";
        column = 0;
    };
    for (size_t i = 0; i < data.size(); ++i) {
        const auto b = static_cast<uint8_t>(data[i]);
        const char next = i + 1 < data.size() ? data[i + 1] : '\n';
        if (b == '\r' && next == '\n' && i + 1 < data.size()) {
            text += "\r\n";
            column = 0;
            ++i;
            continue;
        }
        const bool moreOnLine = next != '\r' && next != '\n';
        if ((b > ' ' && b < 0x7F && b != '=') || ((b == ' ' || b == '\t') && moreOnLine)) {
            text += static_cast<char>(b);
            column += 1;
        } else {
            if (column > 67) softBreak();
            text += {'=', "0123456789ABCDEF"[b >> 4], "0123456789ABCDEF"[b & 15]};
            column += 3;
        }
        if (column > 74 && i + 1 < data.size()) softBreak();
    }
    return text;
}

TEST_F(QuotedPrintable, LiteralRunsBreakAfterTheSeventyFifthCharacter) {
    // 75 letters and nothing after them: no break.
    host.expectResults(Method::EncodeQuotedPrintable,
                       {
                           {as(80), as(75) + "=\r\n" + as(5)},
                           {as(75), as(75)},
                           {as(76), as(75) + "=\r\na"},
                           {as(75) + "\r\nb", as(75) + "=\r\n\r\nb"},
                           {as(160), as(75) + "=\r\n" + as(75) + "=\r\n" + as(10)},
                       });
}

TEST_F(QuotedPrintable, AnEscapeNeverStartsPastColumnSixtySeven) {
    EXPECT_EQ(encode(as(67) + "=" + as(10)), as(67) + "=3D" + as(5) + "=\r\n" + as(5));
    EXPECT_EQ(encode(as(68) + "=" + as(10)), as(68) + "=\r\n=3D" + as(10));
    // Escapes alone: 23 of them reach column 69, the 24th goes to the next line.
    std::string escapes;
    for (int i = 0; i < 23; ++i) escapes += "=3D";
    EXPECT_EQ(encode(std::string(24, '=')), escapes + "=\r\n=3D");
}

TEST_F(QuotedPrintable, WhitespaceIsEscapedOnlyWhereALineEnds) {
    host.expectResults(Method::EncodeQuotedPrintable, {
                                                          {"a b\tc", "a b\tc"},
                                                          {"a \r\nb", "a=20\r\nb"},
                                                          {"a\t", "a=09"},
                                                          {"a ", "a=20"},
                                                          {"a \nb", "a=20=0Ab"},
                                                          {"a \rb", "a=20=0Db"},
                                                      });
}

TEST_F(QuotedPrintable, BytesOutsidePrintableAsciiAreEscaped) {
    host.expectResults(Method::EncodeQuotedPrintable,
                       {
                           {"\n", "=0A"},
                           {"\r", "=0D"},
                           {"\xE9", "=E9"},
                           {"=", "=3D"},
                           {std::string("\x00\x7F~!", 4), "=00=7F~!"},
                           {"\n\r", "=0A=0D"},
                           {"\r\r\n", "=0D\r\n"},
                       });
}

TEST_F(QuotedPrintable, DecoderKeepsWhitespaceBeforeASoftBreakAndDropsItBeforeALineEnd) {
    host.expectResults(Method::DecodeQuotedPrintable, {
                                                          {"a =\r\nb", "a b"},
                                                          {"abc \n", "abc\n"},
                                                          {"abc \t \r\nx", "abc\r\nx"},
                                                          {"abc  ", "abc"},
                                                          {"a \tb", "a \tb"},
                                                      });
}

TEST_F(QuotedPrintable, DecoderEscapesAndSoftBreaks) {
    host.expectResults(Method::DecodeQuotedPrintable, {
                                                          {"=3d=3D", "=="},
                                                          {"a=\nb", "ab"},
                                                          {"a=\rb", "ab"},
                                                          {"a=\r\nb", "ab"},
                                                          {"=E9=e9", "\xE9\xE9"},
                                                      });
}

// A digit that isn't hexadecimal, or is missing, contributes no bits: the byte keeps the other
// half.
TEST_F(QuotedPrintable, MalformedEscapesStillGiveOneByte) {
    host.expectResults(Method::DecodeQuotedPrintable, {
                                                          {"=4", "\x40"},
                                                          {"=", std::string(1, '\0')},
                                                          {"=zz", std::string(1, '\0')},
                                                          {"=z5", "\x05"},
                                                          {"=5z", "\x50"},
                                                          {"=G1x", "\x01x"},
                                                      });
}

TEST_F(QuotedPrintable, DecoderCopiesWhatAStrictDecoderWouldReject) {
    EXPECT_EQ(decode("\x01\xFF\x7F"), "\x01\xFF\x7F");
    EXPECT_EQ(decode(as(200)), as(200));
}

TEST_F(QuotedPrintable, RoundTripsOfRandomData) {
    std::mt19937 generator(3);
    // Bytes drawn from a small set make line ends, whitespace and "=" frequent.
    const std::string tricky = " \t\r\n=aZ\xE9";
    for (int i = 0; i < 600; ++i) {
        std::string data = randomBytes(generator, randomLength(generator));
        if (i % 2) {
            for (char& c : data) c = tricky[static_cast<uint8_t>(c) % tricky.size()];
        }
        const std::string text = host.expectRoundTrip(Method::EncodeQuotedPrintable,
                                                      Method::DecodeQuotedPrintable, data);
        size_t lineStart = 0;
        for (size_t end = text.find("\r\n"); end != std::string::npos;
             end = text.find("\r\n", lineStart)) {
            EXPECT_LE(end - lineStart, 76u);
            lineStart = end + 2;
        }
        EXPECT_LE(text.size() - lineStart, 76u);
    }
}

// Long mixed texts, where the encoder lays out many bytes at once, give the same bytes as the rules
// taken one at a time.
TEST_F(QuotedPrintable, EncoderMatchesTheRulesTakenByteByByte) {
    std::mt19937 generator(11);
    const std::string sets[] = {" \t\r\n=aZ\xE9", "a\xE9", "\r\n \xE9\xE9\xE9", "ab \t=\x01"};
    for (int i = 0; i < 400; ++i) {
        std::string data = randomBytes(generator, randomLength(generator) + 100);
        const std::string& set = sets[i % std::size(sets)];
        for (char& c : data) {
            if (i % 5) c = set[static_cast<uint8_t>(c) % set.size()];
        }
        EXPECT_EQ(encode(data), encodeByteByByte(data)) << "case " << i;
    }
}

}  // namespace
}  // namespace plugintest
