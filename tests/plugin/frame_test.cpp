// What every method does around its codec: null in and out, references, tags, exact sizes, and
// results too long for a framework string.

#include <gtest/gtest.h>
#include <sys/mman.h>

#include <algorithm>
#include <limits>

#include "recording_host.h"

namespace plugintest {
namespace {

constexpr Method allMethods[] = {Method::EncodeBase64,          Method::DecodeBase64,
                                 Method::EncodeQuotedPrintable, Method::DecodeQuotedPrintable,
                                 Method::EncodeURLComponent,    Method::DecodeURLComponent};
constexpr Method encoders[] = {Method::EncodeBase64, Method::EncodeQuotedPrintable,
                               Method::EncodeURLComponent};
constexpr Method decoders[] = {Method::DecodeBase64, Method::DecodeQuotedPrintable,
                               Method::DecodeURLComponent};

TEST(Frame, NullInGivesNullOutWithoutAnyHostCall) {
    RecordingHost host;
    host.clearLog();
    for (Method method : allMethods) {
        EXPECT_EQ(
            host.call(method, nullptr, 76, platform::textEncoding(platform::utf8Encoding)).get(),
            nullptr);
    }
    EXPECT_TRUE(host.calls().empty());
    EXPECT_TRUE(host.lookups().empty());
}

TEST(Frame, TheLentStringKeepsItsReferencesAndNothingLeaks) {
    RecordingHost host;
    const size_t live = platform::liveStringCount();
    {
        platform::StringRef data("QUJD=x y\r\n%41");
        platform::StringRef extra = data;  // two references held by the caller
        for (Method method : allMethods) {
            platform::StringRef result = host.call(method, data.get());
            EXPECT_EQ(platform::stringReferences(data.get()), 2);
            EXPECT_EQ(platform::stringReferences(result.get()), 1);
        }
        EXPECT_EQ(platform::liveStringCount(), live + 1);
    }
    EXPECT_EQ(platform::liveStringCount(), live);
}

TEST(Frame, EncodersTagTheirResultAscii) {
    RecordingHost host;
    platform::StringRef data("any text \xE9");
    for (Method method : encoders) {
        EXPECT_EQ(host.call(method, data.get()).encoding(), 0x600);
    }
}

TEST(Frame, DecodersPassTheCallersEncodingToDefineEncoding) {
    RecordingHost host;
    platform::StringRef data("text");
    const TextEncoding* utf8 = platform::textEncoding(platform::utf8Encoding);
    for (Method method : decoders) {
        host.clearLog();
        EXPECT_EQ(host.call(method, data.get(), 76, utf8).encoding(), platform::utf8Encoding);
        EXPECT_EQ(host.call(method, data.get(), 76, nullptr).encoding(), platform::noEncoding);
        EXPECT_EQ(host.definedEncodings(), (std::vector<const TextEncoding*>{utf8, nullptr}));
    }
}

TEST(Frame, WithoutDefineEncodingDecodersReturnTheirTextUntagged) {
    RecordingHost host({.offersDefineEncoding = false});
    platform::StringRef data("QUJD");
    const TextEncoding* utf8 = platform::textEncoding(platform::utf8Encoding);
    const size_t live = platform::liveStringCount();
    {
        platform::StringRef decoded = host.call(Method::DecodeBase64, data.get(), 76, utf8);
        EXPECT_EQ(decoded.text(), "ABC");
        EXPECT_EQ(decoded.encoding(), platform::noEncoding);
    }
    EXPECT_EQ(platform::liveStringCount(), live);
    // The missing method is asked for again at every decoder call.
    host.clearLog();
    host.call(Method::DecodeURLComponent, data.get());
    host.call(Method::DecodeURLComponent, data.get());
    EXPECT_EQ(std::count(host.calls().begin(), host.calls().end(), "MOXLLoadGlobalMethod"), 2);
}

TEST(Frame, EachCallMakesExactlyOneResultString) {
    RecordingHost host;
    platform::StringRef data("some = text\r\nwith %20 and QUJD");
    for (Method method : allMethods) {
        host.clearLog();
        host.call(method, data.get());
        EXPECT_EQ(std::count(host.calls().begin(), host.calls().end(), "MOXLBuildString"), 1);
    }
}

// A record that claims a length only the length formula looks at: an encoder whose result would
// not fit must give null before reading or making anything.
TEST(Frame, Base64ResultBeyondTheLengthRangeGivesNull) {
    RecordingHost host;
    unsigned char buffer[2] = {};
    FrameworkString huge{1, buffer, 0, static_cast<uint32_t>(std::numeric_limits<int32_t>::max())};
    host.clearLog();
    EXPECT_EQ(host.call(Method::EncodeBase64, &huge, 76).get(), nullptr);
    EXPECT_EQ(host.call(Method::EncodeBase64, &huge, 0).get(), nullptr);
    EXPECT_EQ(std::count(host.calls().begin(), host.calls().end(), "MOXLBuildString"), 0);
    EXPECT_EQ(huge.hostWord0, 1u);  // locked and unlocked again
}

// Zero bytes all escape to three characters: 720 MiB of them needs more than 2 GiB of result.
// The pages are never written, so they take no memory. Every codec shares the check, so one
// codec that has to read its input to size it stands for all.
TEST(Frame, EscapedResultBeyondTheLengthRangeGivesNull) {
    RecordingHost host;
    const size_t length = size_t{720} << 20;
    void* pages =
        mmap(nullptr, length + 2, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    ASSERT_NE(pages, MAP_FAILED);
    FrameworkString zeros{1, static_cast<unsigned char*>(pages), 0, length};
    host.clearLog();
    EXPECT_EQ(host.call(Method::EncodeURLComponent, &zeros).get(), nullptr);
    EXPECT_EQ(std::count(host.calls().begin(), host.calls().end(), "MOXLBuildString"), 0);
    munmap(pages, length + 2);
}

TEST(Frame, EmptyTextGivesAnEmptyResultNotNull) {
    RecordingHost host;
    platform::StringRef empty("");
    for (Method method : allMethods) {
        platform::StringRef result = host.call(method, empty.get());
        EXPECT_NE(result.get(), nullptr);
        EXPECT_EQ(result.text(), "");
    }
}

}  // namespace
}  // namespace plugintest
