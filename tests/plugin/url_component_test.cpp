#include <gtest/gtest.h>

#include "random_bytes.h"
#include "recording_host.h"

namespace plugintest {
namespace {

class URLComponent : public ::testing::Test {
  protected:
    std::string encode(std::string_view data) { return host.run(Method::EncodeURLComponent, data); }
    std::string decode(std::string_view text) { return host.run(Method::DecodeURLComponent, text); }

    RecordingHost host;
};

TEST_F(URLComponent, OnlyLettersDigitsAndDashUnderscoreDotStay) {
    EXPECT_EQ(encode("a b~-_.!*'()/%\xE9"), "a%20b%7E-_.%21%2A%27%28%29%2F%25%E9");
    const std::string unreserved =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_.";
    EXPECT_EQ(encode(unreserved), unreserved);
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        const bool stays = unreserved.find(one) != std::string::npos;
        EXPECT_EQ(encode(one).size(), stays ? 1u : 3u) << b;
    }
    EXPECT_EQ(encode("+"), "%2B");
    EXPECT_EQ(encode(std::string("\x00\x7F", 2)), "%00%7F");
}

TEST_F(URLComponent, DecoderTakesEitherCaseAndLeavesPlusAlone) {
    EXPECT_EQ(decode("a+b%20%2f%2F"), "a+b //");
    EXPECT_EQ(decode("34%4025"), "34@25");
}

TEST_F(URLComponent, GroupsCutShortOrMalformedStillGiveOneByte) {
    host.expectResults(Method::DecodeURLComponent, {
                                                       {"ab%4", "ab\x40"},
                                                       {"ab%", std::string("ab\0", 3)},
                                                       {"%zz", std::string(1, '\0')},
                                                       {"%z5x", "\x05x"},
                                                   });
    EXPECT_EQ(decode("%%41"),
              "\x04"
              "1");
}

TEST_F(URLComponent, RoundTripsOfRandomData) {
    std::mt19937 generator(9);
    for (int i = 0; i < 400; ++i) {
        std::string data = randomBytes(generator, randomLength(generator));
        host.expectRoundTrip(Method::EncodeURLComponent, Method::DecodeURLComponent, data);
    }
}

// The encoder's rule stated a byte at a time, against texts that mix kept and escaped bytes in runs
// of every length, so that each lane of a vector meets both kinds.
std::string plainlyEncoded(std::string_view data) {
    const std::string_view kept =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_.";
    std::string text;
    for (const char c : data) {
        const auto b = static_cast<unsigned char>(c);
        if (kept.find(c) != std::string_view::npos) {
            text += c;
        } else {
            text += '%';
            text += "0123456789ABCDEF"[b >> 4];
            text += "0123456789ABCDEF"[b & 15];
        }
    }
    return text;
}

TEST_F(URLComponent, EncoderMatchesTheRuleByteByByte) {
    std::mt19937 generator(10);
    const std::string kept = "azAZ09-_.";
    std::uniform_int_distribution<int> run(0, 20);
    for (int i = 0; i < 400; ++i) {
        const std::string noise = randomBytes(generator, randomLength(generator));
        std::string data;
        for (size_t p = 0; p < noise.size(); p += static_cast<size_t>(run(generator)) + 1) {
            data += noise.substr(p, static_cast<size_t>(run(generator)));
            data.append(static_cast<size_t>(run(generator)), kept[generator() % kept.size()]);
        }
        EXPECT_EQ(encode(data), plainlyEncoded(data)) << i;
    }
}

}  // namespace
}  // namespace plugintest
