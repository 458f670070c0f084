#include <gtest/gtest.h>
#include <openssl/evp.h>

#include "random_bytes.h"
#include "recording_host.h"

namespace plugintest {
namespace {

class Base64 : public ::testing::Test {
  protected:
    std::string encode(std::string_view data, int32_t lineWrap = 76) {
        return host.run(Method::EncodeBase64, data, lineWrap);
    }
    std::string decode(std::string_view text) { return host.run(Method::DecodeBase64, text); }

    RecordingHost host;
};

std::string letters(size_t count) {
    std::string text;
    for (size_t i = 0; i < count; ++i) text += static_cast<char>('a' + i % 26);
    return text;
}

// Plain readings of the rules, for holding the fast paths to them on many texts.
std::string openSslEncoding(std::string_view data) {
    std::string encoded(4 * ((data.size() + 2) / 3) + 1, '\0');
    const int written = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(encoded.data()),
                                        reinterpret_cast<const unsigned char*>(data.data()),
                                        static_cast<int>(data.size()));
    encoded.resize(static_cast<size_t>(written));
    return encoded;
}

std::string brokenIntoLines(const std::string& encoded, int32_t lineWrap) {
    const int32_t width = lineWrap - lineWrap % 4;
    if (width <= 0) return encoded;
    std::string lines;
    for (size_t start = 0; start < encoded.size(); start += static_cast<size_t>(width)) {
        const std::string line = encoded.substr(start, static_cast<size_t>(width));
        lines += line;
        if (line.size() == static_cast<size_t>(width)) lines += "\r\n";
    }
    return lines;
}

std::string plainlyDecoded(std::string_view text) {
    static const std::string alphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string decoded;
    uint32_t bits = 0;
    int characters = 0;
    for (char c : text.substr(0, text.find('='))) {
        const size_t value = alphabet.find(c);
        if (value == std::string::npos) continue;
        bits = bits << 6 | static_cast<uint32_t>(value);
        if (++characters % 4 == 0) {
            for (int shift : {16, 8, 0}) decoded += static_cast<char>(bits >> shift);
        }
    }
    const int left = characters % 4;
    for (int byte = 0; byte < left - 1; ++byte) {
        decoded += static_cast<char>(bits >> (6 * left - 8 * (byte + 1)));
    }
    return decoded;
}

// Bytes outside the alphabet, pads and line breaks put in at random places.
std::string withNoise(std::mt19937& generator, std::string text) {
    const std::string noise[] = {"=", "\r\n", " ", "-", "_", std::string(1, '\0'), "\xFF", "=="};
    const int insertions = std::uniform_int_distribution<int>(0, 8)(generator);
    for (int i = 0; i < insertions; ++i) {
        const size_t at = std::uniform_int_distribution<size_t>(0, text.size())(generator);
        text.insert(at, noise[generator() % std::size(noise)]);
    }
    return text;
}

TEST_F(Base64, LinesOfSeventySixBreakAfterEveryFullLineOnly) {
    std::string one = encode(letters(57));
    EXPECT_EQ(one.size(), 78u);
    EXPECT_EQ(one.substr(76), "\r\n");

    std::string partial = encode(letters(58));
    ASSERT_EQ(partial.size(), 82u);
    EXPECT_EQ(partial.substr(76, 2), "\r\n");
    EXPECT_EQ(partial.substr(78), "Zg==");

    std::string two = encode(letters(114));
    ASSERT_EQ(two.size(), 156u);
    EXPECT_EQ(two.substr(76, 2), "\r\n");
    EXPECT_EQ(two.substr(154), "\r\n");
}

TEST_F(Base64, LineWrapIsRoundedDownToWholeGroups) {
    const std::string data = letters(40);
    const std::string flat = encode(data, 0);
    EXPECT_EQ(flat.find('\r'), std::string::npos);
    for (int32_t lineWrap : {-1, -76, 1, 2, 3, std::numeric_limits<int32_t>::min()}) {
        EXPECT_EQ(encode(data, lineWrap), flat) << lineWrap;
    }
    EXPECT_EQ(encode(data, 77), encode(data, 76));
    EXPECT_EQ(encode(data, 79), encode(data, 76));
    EXPECT_EQ(encode("abcdefghijkl", 10), "YWJjZGVm\r\nZ2hpamts\r\n");
    EXPECT_EQ(encode("abcdefghijklm", 10), "YWJjZGVm\r\nZ2hpamts\r\nbQ==");
}

TEST_F(Base64, PaddingOfShortGroups) {
    host.expectResults(Method::EncodeBase64, {
                                                 {"A", "QQ=="},
                                                 {"AB", "QUI="},
                                                 {"ABC", "QUJD"},
                                                 {std::string("\xFF\xFE\x00", 3), "//4A"},
                                             });
}

TEST_F(Base64, DecoderEndsAtTheFirstPadAndPadsTheLastGroupItself) {
    host.expectResults(Method::DecodeBase64, {
                                                 {"QQ", "A"},
                                                 {"QQ=", "A"},
                                                 {"QQ==", "A"},
                                                 {"QQ==QUJD", "A"},
                                                 {"Q", ""},
                                                 {"QUJDR", "ABC"},
                                                 {"QUI", "AB"},
                                                 {"=", ""},
                                             });
}

TEST_F(Base64, DecoderSkipsEveryByteOutsideTheAlphabet) {
    EXPECT_EQ(decode("Q U\r\nJ\tD"), "ABC");
    EXPECT_EQ(decode("\xFFQUJD\x80"), "ABC");
    // The URL-safe "-" and "_" are not alphabet characters: "+/+/" decodes, "-_-_" vanishes.
    host.expectResults(Method::DecodeBase64, {
                                                 {"+/+/", "\xFB\xFF\xBF"},
                                                 {"-_-_QUJD", "ABC"},
                                                 {"QU-JD_", "ABC"},
                                             });
}

TEST_F(Base64, LeftOverBitsOfTheLastCharacterAreDropped) {
    host.expectResults(Method::DecodeBase64, {
                                                 {"QR", "A"},
                                                 {"QUJ", "AB"},
                                                 {"QUK", "AB"},
                                             });
}

TEST_F(Base64, RoundTripsOfRandomDataAtEveryLineLength) {
    std::mt19937 generator(7);
    for (int i = 0; i < 400; ++i) {
        std::string data = randomBytes(generator, randomLength(generator));
        int32_t lineWrap = std::uniform_int_distribution<int32_t>(-8, 100)(generator);
        // Base64 puts a zero byte into the spare byte, and nowhere else.
        host.expectRoundTrip(Method::EncodeBase64, Method::DecodeBase64, data, lineWrap);
    }
}

TEST_F(Base64, UnwrappedOutputMatchesOpenSsl) {
    std::mt19937 generator(11);
    for (int i = 0; i < 300; ++i) {
        std::string data = randomBytes(generator, randomLength(generator));
        EXPECT_EQ(encode(data, 0), openSslEncoding(data));
    }
}

TEST_F(Base64, WrappedOutputIsOpenSslsBrokenIntoLines) {
    std::mt19937 generator(13);
    for (size_t length = 0; length <= 300; ++length) {
        const std::string data = randomBytes(generator, length);
        const std::string expected = openSslEncoding(data);
        for (int i = 0; i < 3; ++i) {
            const int32_t lineWrap = std::uniform_int_distribution<int32_t>(-1, 100)(generator);
            EXPECT_EQ(encode(data, lineWrap), brokenIntoLines(expected, lineWrap))
                << "length " << length << " wrap " << lineWrap;
        }
    }
}

TEST_F(Base64, DecoderReadsNoisyTextAsThePlainRulesDo) {
    std::mt19937 generator(17);
    for (int i = 0; i < 3000; ++i) {
        const std::string data = randomBytes(generator, randomLength(generator));
        const int32_t lineWrap = std::uniform_int_distribution<int32_t>(-1, 100)(generator);
        // Mostly Base64 text, sometimes any bytes at all.
        const std::string text = withNoise(generator, i % 8 == 0 ? data : encode(data, lineWrap));
        EXPECT_EQ(decode(text), plainlyDecoded(text)) << "from \"" << text << '"';
    }
}

TEST_F(Base64, LargeInputUsesWideLoopsAndStillRoundTrips) {
    std::mt19937 generator(5);
    std::string data = randomBytes(generator, 1 << 20);
    std::string encoded = encode(data);
    const size_t characters = (data.size() + 2) / 3 * 4;
    EXPECT_EQ(encoded.size(), characters + characters / 76 * 2);
    EXPECT_EQ(decode(encoded), data);
}

}  // namespace
}  // namespace plugintest
